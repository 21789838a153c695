#include "number_format.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include "render_reference.h"

namespace {

constexpr double inf = std::numeric_limits<double>::infinity();
constexpr double nan_value = std::numeric_limits<double>::quiet_NaN();

// Values per sweep: a million by default; CHANSEP_SWEEP_VALUES sets more
// (for instance 10000000 before a release).
int sweep_values() {
  const char* const text = std::getenv("CHANSEP_SWEEP_VALUES");
  const long n = text != nullptr ? std::strtol(text, nullptr, 10) : 0;
  return n > 0 ? static_cast<int>(std::min(n, 2000000000L)) : 1000000;
}

double f32(double v) {
  return static_cast<double>(static_cast<float>(v));
}

struct render_case {
  conversion c;
  double value;
  const char* expected;
};

TEST(render, table_of_formats) {
  const render_case cases[] = {
      // exponent form
      {conversion::exponent_14, 1.0, "1.0000000e+000"},
      {conversion::exponent_14, f32(0.0005), "5.0000002e-004"},
      {conversion::exponent_14, -2.5, "-2.5000000e+000"},
      {conversion::exponent_14, 0.0, "0.0000000e+000"},
      {conversion::exponent_14, -0.0, "0.0000000e+000"},
      {conversion::exponent_14, 12345.678, "1.2345678e+004"},
      {conversion::exponent_14, f32(-0.001), "-1.0000000e-003"},
      {conversion::exponent_14, 9.99999999, "1.0000000e+001"},
      {conversion::exponent_14, 1e-300, "1.0000000e-300"},
      {conversion::exponent_14, -1e300, "-1.0000000e+300"},
      {conversion::exponent_14, 4.9406564584124654e-324, "4.9406565e-324"},
      {conversion::exponent_14, 1.7976931348623157e308, "1.7976931e+308"},
      {conversion::exponent_14, 1e22, "1.0000000e+022"},
      {conversion::exponent_14, 123456789012345678.0, "1.2345679e+017"},
      {conversion::exponent_14, inf, "           inf"},
      {conversion::exponent_14, -inf, "          -inf"},
      {conversion::exponent_14, nan_value, "           nan"},
      {conversion::exponent_14, -nan_value, "           nan"},
      // general form, 4 digits
      {conversion::general_14_4, 1999.99998, "          2000"},
      {conversion::general_14_4, 2000, "          2000"},
      {conversion::general_14_4, 123456, "    1.235e+005"},
      {conversion::general_14_4, 0.00001234, "    1.234e-005"},
      {conversion::general_14_4, 12345, "    1.235e+004"},    // tie, away from zero
      {conversion::general_14_4, 0.10045, "        0.1005"},  // judged on 17 digits
      {conversion::general_14_4, 99999, "        1e+005"},
      {conversion::general_14_4, 9.9996, "            10"},
      {conversion::general_14_4, 0.0001, "        0.0001"},
      {conversion::general_14_4, 0.000099996, "        0.0001"},
      {conversion::general_14_4, 0.00009999, "    9.999e-005"},
      {conversion::general_14_4, -1999.99998, "         -2000"},
      {conversion::general_14_4, inf, "           inf"},
      {conversion::general_9_4, 0.0, "        0"},
      {conversion::general_9_4, -0.0, "        0"},
      {conversion::general_9_4, 0.15625, "   0.1563"},
      {conversion::general_9_4, f32(0.0099999998), "     0.01"},
      {conversion::general_9_4, -123456789.0, "-1.235e+008"},
      {conversion::general_9_4, -1.7975156919134076e+308,
       "-1.798e+308"},  // rounds past the largest double
      // general form, 7 digits
      {conversion::general_14_7, f32(0.123456789), "     0.1234568"},
      {conversion::general_14_7, 100, "           100"},
      {conversion::general_14_7, 2.5, "           2.5"},
      {conversion::general_14_7, 1234567, "       1234567"},
      {conversion::general_14_7, 12345678, " 1.234568e+007"},
      {conversion::general_14_7, 1e-5, "        1e-005"},
      // fixed point
      {conversion::fixed, f32(0.0015), "0.001500"},
      {conversion::fixed, 0.0, "0.000000"},
      {conversion::fixed, -0.0, "0.000000"},
      {conversion::fixed, -0.0000001, "-0.000000"},
      {conversion::fixed, 0.0000004, "0.000000"},
      {conversion::fixed, 0.0000015, "0.000002"},
      {conversion::fixed, 1e-30, "0.000000"},
      {conversion::fixed, 999999.9999996, "1000000.000000"},
      {conversion::fixed, -12.5, "-12.500000"},
      {conversion::fixed, 1e17, "100000000000000000.000000"},
      {conversion::fixed, 1.2345678901234567e20, "123456789012345670000.000000"},
      {conversion::fixed, -inf, "-inf"},
      {conversion::fixed, nan_value, "nan"},
  };
  for (const auto& t : cases) {
    SCOPED_TRACE(::testing::Message()
                 << "value " << t.value << " (" << static_cast<int>(t.c) << ")");
    EXPECT_EQ(render(t.c, t.value), t.expected);
  }
}

TEST(render, largest_fixed_fits_its_room) {
  const std::string text = render(conversion::fixed, -1.7976931348623157e308);
  EXPECT_EQ(text.size(), 1 + 309 + 1 + 6u);
  EXPECT_EQ(text.substr(0, 18), "-17976931348623157");
  EXPECT_EQ(text.substr(18, 292), std::string(292, '0'));
}

// Doubles spread over all magnitudes, float-derived values, and products of
// float differences with float factors as the channel files compute them.
double pseudo_random_value(std::mt19937_64& rng, int kind) {
  std::uniform_int_distribution<std::uint64_t> bits;
  std::uniform_real_distribution<double> unit(-1, 1);
  std::uniform_int_distribution<int> decade(-40, 20);
  switch (kind % 4) {
    case 0: {
      double v = std::bit_cast<double>(bits(rng));
      return std::isfinite(v) ? v : 1.5;
    }
    case 1:
      return f32(unit(rng) * std::pow(10.0, decade(rng)));
    case 2: {
      const float x = static_cast<float>(unit(rng) * 10);
      const float mean = static_cast<float>(unit(rng));
      const float factor = static_cast<float>(std::pow(10.0, decade(rng) / 4));
      return (static_cast<double>(x) - mean) * factor;
    }
    default:
      return unit(rng) * std::pow(10.0, decade(rng));
  }
}

TEST(render, agrees_with_exact_reference_on_a_million_values) {
  std::mt19937_64 rng(20261211);
  const conversion all[] = {conversion::exponent_14, conversion::general_14_7,
                            conversion::general_14_4, conversion::general_9_4, conversion::fixed};
  int failures = 0;
  const int count = sweep_values();
  for (int i = 0; i < count && failures < 10; ++i) {
    const double v = pseudo_random_value(rng, i);
    const conversion c = all[i % 5];
    // "%f" of large values needs digits past the double's: checked in the table.
    if (c == conversion::fixed && std::fabs(v) >= 1e9) continue;
    const std::string expected = reference_render(c, v);
    const std::string got = render(c, v);
    if (got != expected) {
      ++failures;
      ADD_FAILURE() << "value " << std::hexfloat << v << " conversion " << static_cast<int>(c)
                    << ": got '" << got << "' expected '" << expected << "'";
    }
  }
}

TEST(render, fast_exponent_path_matches_exact_reference) {
  std::mt19937_64 rng(7);
  char fast[32];
  const int count = sweep_values();
  for (int i = 0; i < count; ++i) {
    const double v = pseudo_random_value(rng, i);
    const std::string slow = reference_render(conversion::exponent_14, v);
    const std::string got(fast, render_exponent_14(fast, v));
    ASSERT_EQ(got, slow) << std::hexfloat << v;
  }
}

// Values within a few units of the 17th digit of where "%14.7e" starts to
// round up (a remainder of 0.4999999995 after the 8th digit) or carries into
// the next power of ten, and the doubles around each power of ten, where the
// decimal exponent changes.
TEST(render, fast_exponent_path_matches_general_path_at_rounding_edges) {
  char fast[32];
  for (int decade = -12; decade <= 10; ++decade) {
    const std::string text = "1e" + std::to_string(decade);
    double v = 0;
    std::from_chars(text.data(), text.data() + text.size(), v);
    for (int step = 0; step < 4; ++step) {
      for (const double x : {v, -v}) {
        const std::string got(fast, render_exponent_14(fast, x));
        ASSERT_EQ(got, reference_render(conversion::exponent_14, x)) << std::hexfloat << x;
      }
      v = std::nextafter(v, 0.0);
    }
  }
  std::mt19937_64 rng(13);
  std::uniform_int_distribution<std::uint64_t> eight(10000000, 99999999);
  std::uniform_int_distribution<int> decade(-12, 10);
  const char* const tails[] = {
      "4999999995", "49999999949", "49999999951", "4999999994999", "49999999950001",
      "5",          "4999999",     "9999999995",  "99999999949",   "000000000001",
      "0"};
  for (int i = 0; i < 20000; ++i) {
    const std::uint64_t digits = i % 50 == 0 ? 99999999 : eight(rng);
    for (const char* tail : tails) {
      const std::string text =
          std::to_string(digits) + "." + tail + "e" + std::to_string(decade(rng));
      double v = 0;
      std::from_chars(text.data(), text.data() + text.size(), v);
      for (const double x : {v, -v, std::nextafter(v, 0.0), std::nextafter(v, 1e300)}) {
        const std::string got(fast, render_exponent_14(fast, x));
        const std::string expected = i % 10 == 0 ? reference_render(conversion::exponent_14, x)
                                                 : render(conversion::exponent_14, x);
        ASSERT_EQ(got, expected) << text << " " << std::hexfloat << x;
      }
    }
  }
}

TEST(to_decimal17, fast_path_matches_big_integer_path) {
  std::mt19937_64 rng(11);
  const double edges[] = {4.9406564584124654e-324,
                          2.2250738585072014e-308,
                          1e-39,
                          1e-38,
                          0.1,
                          1,
                          9007199254740993.0,
                          1e17,
                          1e18,
                          1.8446744073709552e19,
                          1.7e38,
                          3.4e38,
                          1.7976931348623157e308};
  for (const double v : edges) {
    const decimal17 a = to_decimal17(v);
    const decimal17 b = to_decimal17_exact(v);
    EXPECT_EQ(a.digits, b.digits) << v;
    EXPECT_EQ(a.exponent, b.exponent) << v;
  }
  for (int i = 0; i < 300000; ++i) {
    const double v = std::fabs(pseudo_random_value(rng, i));
    if (v == 0) continue;
    const decimal17 a = to_decimal17(v);
    const decimal17 b = to_decimal17_exact(v);
    ASSERT_EQ(a.digits, b.digits) << std::hexfloat << v;
    ASSERT_EQ(a.exponent, b.exponent) << std::hexfloat << v;
  }
}

struct parse_case {
  number_variant variant;
  const char* text;
  double value;
  std::size_t used;
  bool found;
};

TEST(parse_number, table_of_variants) {
  using v = number_variant;
  const parse_case cases[] = {
      {v::answer_integer, "12abc", 12, 2, true},
      {v::answer_integer, "  \n\t42", 42, 6, true},
      {v::answer_integer, "+7", 7, 2, true},
      {v::answer_integer, "-3", -3, 2, true},
      {v::answer_integer, "-x", 0, 1, false},
      {v::answer_integer, "abc", 0, 0, false},
      {v::answer_integer, "", 0, 0, false},
      {v::answer_integer, ".5", 0, 0, false},
      {v::answer_integer, "1.5", 1, 1, true},
      {v::answer_integer, "2147483647", 2147483647, 10, true},
      {v::answer_integer, "2147483648", 2147483647, 10, true},
      {v::answer_integer, "-2147483648", -2147483648.0, 11, true},
      {v::answer_integer, "-2147483649", -2147483648.0, 11, true},
      {v::answer_integer, "99999999999999999999999", 2147483647, 23, true},
      {v::answer_real, "2d3", 2, 1, true},
      {v::answer_real, "2e", 2, 2, true},
      {v::answer_real, "2e+x", 2, 3, true},
      {v::answer_real, "1.5e-3", 1.5e-3, 6, true},
      {v::answer_real, "1.5E+2", 150, 6, true},
      {v::answer_real, " .5", 0.5, 3, true},
      {v::answer_real, "5.", 5, 2, true},
      {v::answer_real, "1.2.3", 1.2, 3, true},
      {v::answer_real, "-.x", 0, 2, false},
      {v::answer_real, ".", 0, 1, false},
      {v::answer_real, "+", 0, 1, false},
      {v::answer_real, "e5", 0, 0, false},
      {v::answer_real, "1e400", inf, 5, true},
      {v::answer_real, "-1e400", -inf, 6, true},
      {v::answer_real, "1e-400", 0, 6, true},
      {v::answer_real, "0.000001e-99999999999999999999", 0, 30, true},
      {v::data_field, "1.5D-3", 1.5e-3, 6, true},
      {v::data_field, "1.5d3", 1500, 5, true},
      {v::data_field, "2E2", 200, 3, true},
      {v::data_field, "-2.5E+01", -25, 8, true},
      {v::data_field, "abc", 0, 0, false},
      {v::data_field, "1,5", 1, 1, true},
      {v::data_field, "-.5", -0.5, 3, true},
      {v::data_field, "1e", 1, 1, true},
      {v::data_field, "1e+", 1, 1, true},
      {v::data_field, "1D-", 1, 1, true},
      {v::data_field, "2.5-3", 2.5, 3, true},
      {v::data_field, ".", 0, 1, false},
      {v::data_field, "-", 0, 1, false},
      {v::data_field, "inf", 0, 0, false},
      {v::data_field, "nan", 0, 0, false},
      {v::data_field, "1e99999", inf, 7, true},
      {v::data_field, "-1e99999", -inf, 8, true},
      {v::data_field, "1e-99999", 0, 8, true},
      {v::data_field, "0e99999", 0, 7, true},
      {v::data_field, "4.9e-324", 4.9406564584124654e-324, 8, true},
  };
  for (const auto& t : cases) {
    SCOPED_TRACE(::testing::Message()
                 << "'" << t.text << "' variant " << static_cast<int>(t.variant));
    const parse_result r = parse_number(t.text, t.text + std::strlen(t.text), t.variant);
    EXPECT_EQ(r.found, t.found);
    EXPECT_EQ(r.used, t.used);
    EXPECT_EQ(r.value, t.value);
  }
}

TEST(parse_number, signs_of_zero_and_tiny_values) {
  const char neg_tiny[] = "-1e-400";
  const parse_result r = parse_number(neg_tiny, neg_tiny + 7, number_variant::data_field);
  EXPECT_TRUE(std::signbit(r.value));
  EXPECT_EQ(r.value, 0.0);
  EXPECT_TRUE(std::signbit(parse_data_field("-0", "-0" + 2)));
  // Decimal to double, then double to float: 1e-45 lands on the smallest subnormal.
  EXPECT_EQ(parse_data_field("1e-45", "1e-45" + 5), std::numeric_limits<float>::denorm_min());
  EXPECT_EQ(parse_data_field("1e39", "1e39" + 4), std::numeric_limits<float>::infinity());
}

TEST(parse_number, long_fields_keep_every_digit) {
  const std::string ones(5000, '1');
  EXPECT_EQ(parse_data_field(ones.data(), ones.data() + ones.size()),
            std::numeric_limits<float>::infinity());
  const std::string small = "0." + std::string(4000, '0') + "1e4001";
  EXPECT_EQ(parse_data_field(small.data(), small.data() + small.size()), 1.0f);
  // Decimal to double first: the tiny excess is lost there, and 2^24 + 1 then
  // ties to even in float (a direct conversion to float would give 2^24 + 2).
  const std::string near = "16777217.00000000000000000001";
  EXPECT_EQ(parse_data_field(near.data(), near.data() + near.size()), 16777216.0f);
}

TEST(parse_data_field, fast_path_matches_exact_conversion) {
  std::mt19937_64 rng(99);
  std::uniform_real_distribution<double> unit(-1, 1);
  std::uniform_int_distribution<int> decade(-30, 30);
  std::uniform_int_distribution<int> style(0, 9);
  char text[128];
  const int count = sweep_values();
  for (int i = 0; i < count; ++i) {
    const double v = unit(rng) * std::pow(10.0, decade(rng));
    switch (style(rng)) {
      case 0:
        std::snprintf(text, sizeof text, "%.6f", v);
        break;
      case 1:
        std::snprintf(text, sizeof text, "%.17g", v);
        break;
      case 2:
        std::snprintf(text, sizeof text, "%.20e", v);
        break;
      case 3:
        std::snprintf(text, sizeof text, "%.3E", v);
        break;
      case 4: {
        std::snprintf(text, sizeof text, "%.7e", v);
        *std::strchr(text, 'e') = 'D';
        break;
      }
      case 5:
        std::snprintf(text, sizeof text, "%+.0f.", v);
        break;
      default:
        std::snprintf(text, sizeof text, "%.7e", v);
        break;
    }
    const char* const end = text + std::strlen(text);
    const parse_result exact = parse_number(text, end, number_variant::data_field);
    const auto exact_float = static_cast<float>(exact.value);
    const float fast = parse_data_field(text, end);
    ASSERT_EQ(std::bit_cast<std::uint32_t>(fast), std::bit_cast<std::uint32_t>(exact_float))
        << text;
    // In a line, with more text after the field: the path the reader takes.
    const std::string line = std::string(text) + " 1.2345678e-01 7\n";
    float in_line = 0;
    const char* const stop = parse_data_number(line.data(), line.data() + line.size(), in_line);
    ASSERT_EQ(std::bit_cast<std::uint32_t>(in_line), std::bit_cast<std::uint32_t>(exact_float))
        << text;
    ASSERT_EQ(static_cast<std::size_t>(stop - line.data()), exact.used) << text;
  }
}

TEST(parse_data_number, shapes_near_the_fast_path_in_a_line) {
  const char* const fields[] = {
      "1.5e+1", "1.5e-011", "1.5e+", "1.5e", "1.5e-05x", "-0.000000", "+1.25", "1.12345678", "1.",
      "1.5.3", "-9.9999999e+99", "5.0000000e-23", "5.0000000e+23", "1.5D-03", "-1.5d+03",
      "12.5e-01", "1.5e--01", "-", ".5e+01", "1.5E+0", "1.123456789", "1.12345678e-05",
      "1.00000000e+30", "1.00000000e+31", "1.00000000e-14", "1.00000000e-15", "2.5\xb9", "2.\x80",
      "3.25\x01", "4.5e+0\xb9", "0.0e-00",
      // the usual recorder layouts and their near misses
      "1.234567", "-1.2345678", "1.2345678e+05", "1.234567e-05", "-1.2345678d+05", "1.2345678e+5",
      "1.2345678e+123", "1.234567e", "1.234567e+", "-0.0000000e+00", "1.234567.5", "1.2345,67",
      "9.9999999e+28", "9.9999999e+29", "1.234567e-16", "1.234567e-17", "1.2345678\x80",
      "1.2345678e+0\xb0", "1,2345678", "1/2345678", "12.345678", "1.2345678E-01", "9.9999999e+30",
      "1.234567e,05", "1.234567e 05", "1.234567e*05"};
  for (const char* field : fields) {
    SCOPED_TRACE(field);
    const std::string line = std::string(field) + " 0.5 0.5 0.5 0.5 0.5\n";
    const parse_result exact =
        parse_number(field, field + std::strlen(field), number_variant::data_field);
    float value = 0;
    const char* const stop = parse_data_number(line.data(), line.data() + line.size(), value);
    EXPECT_EQ(std::bit_cast<std::uint32_t>(value),
              std::bit_cast<std::uint32_t>(static_cast<float>(exact.value)));
    EXPECT_EQ(static_cast<std::size_t>(stop - line.data()), exact.used);
  }
}

}  // namespace
