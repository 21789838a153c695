// Rendering goes in two stages: the value becomes its 17-digit decimal string
// (rounded half up at the 17th digit), then a layout step rounds that string
// again to the digits shown and writes the fixed, exponent or general form.
#include "number_format.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>

namespace {

using u128 = unsigned __int128;

constexpr std::uint64_t pow10_u64(int k) {
  std::uint64_t p = 1;
  for (int i = 0; i < k; ++i) p *= 10;
  return p;
}

constexpr std::uint64_t ten16 = pow10_u64(16);
constexpr std::uint64_t ten17 = pow10_u64(17);
constexpr std::uint64_t ten18 = pow10_u64(18);

// base^k for k = 0..count-1.
template <typename T, std::size_t count>
constexpr std::array<T, count> powers_of(T base) {
  std::array<T, count> t{};
  T p = 1;
  for (auto& v : t) {
    v = p;
    p *= base;
  }
  return t;
}

// 5^k for k = 0..55, the largest power of five below 2^128.
constexpr auto pow5_table = powers_of<u128, 56>(5);

// 10^k for k = 0..38.
constexpr auto pow10_table = powers_of<u128, 39>(10);

// A positive finite double as significand * 2^binary_exponent.
struct binary_parts {
  std::uint64_t significand;
  int binary_exponent;
};

binary_parts split(double magnitude) {
  const auto bits = std::bit_cast<std::uint64_t>(magnitude);
  const auto biased = static_cast<int>((bits >> 52) & 0x7ff);
  const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
  if (biased == 0) return {fraction, -1074};
  return {fraction | (std::uint64_t{1} << 52), biased - 1075};
}

// From the first 18 digits, truncated, to 17 digits rounded half up.
decimal17 round_eighteen(std::uint64_t eighteen, int exponent) {
  std::uint64_t digits = eighteen / 10 + (eighteen % 10 >= 5 ? 1 : 0);
  if (digits == ten17) {
    digits = ten16;
    ++exponent;
  }
  return {digits, exponent};
}

using number_detail::exponent_texts;
using number_detail::min_exponent;
using number_detail::pow5_u64;
using number_detail::write_exponent;

// scaled_floor for values from 10^18 up, by a 128-bit division. Out of line:
// the call it needs would cost every other value its register saves.
[[gnu::noinline]] bool scaled_floor_large(std::uint64_t m, int e, int k, std::uint64_t& result) {
  if (e < 0 || e > 74 || -k > 38) return false;
  const u128 value = static_cast<u128>(m) << e;
  const u128 quotient = value / pow10_table[static_cast<std::size_t>(-k)];
  if ((quotient >> 64) != 0) return false;
  result = static_cast<std::uint64_t>(quotient);
  return true;
}

// floor(m * 2^e * 10^k) when that fits in 64 bits and the fast arithmetic
// covers it; false otherwise.
inline bool scaled_floor(std::uint64_t m, int e, int k, std::uint64_t& result) {
  if (k >= 0 && k <= 27) {
    // The common case, values from about 1e-10 up: one 64 x 64 bit product.
    const u128 product = static_cast<u128>(m) * pow5_u64[static_cast<std::size_t>(k)];
    const int shift = e + k;
    if (shift < 0) {
      result = static_cast<std::uint64_t>(product >> -shift);
    } else {
      result = static_cast<std::uint64_t>(product << shift);
    }
    return true;
  }
  if (k >= 0 && k <= 55) {
    const u128 p5 = pow5_table[static_cast<std::size_t>(k)];
    const u128 low = static_cast<u128>(m) * static_cast<std::uint64_t>(p5);
    const u128 high = static_cast<u128>(m) * static_cast<std::uint64_t>(p5 >> 64);
    const auto p0 = static_cast<std::uint64_t>(low);
    const u128 middle = (low >> 64) + high;
    const auto p1 = static_cast<std::uint64_t>(middle);
    const auto p2 = static_cast<std::uint64_t>(middle >> 64);
    const int shift = e + k;  // m * 10^k * 2^e = (m * 5^k) * 2^shift
    if (shift >= 0) {
      if (shift >= 64 || p2 != 0 || p1 != 0) return false;
      if (p0 > (~std::uint64_t{0} >> shift)) return false;
      result = p0 << shift;
      return true;
    }
    const int s = -shift;
    if (s >= 192) return false;
    if (s >= 128) {
      result = p2 >> (s - 128);
    } else if (s >= 64) {
      result = static_cast<std::uint64_t>(((static_cast<u128>(p2) << 64) | p1) >> (s - 64));
    } else {
      if (p2 != 0) return false;
      result = static_cast<std::uint64_t>(((static_cast<u128>(p1) << 64) | p0) >> s);
    }
    return true;
  }
  return k < 0 && scaled_floor_large(m, e, k, result);
}

// An unsigned integer in base 10^9, least significant limb first, big enough
// for m * 5^1074 (767 digits) and m * 2^971 (309 digits).
struct big_decimal {
  std::uint32_t limbs[96] = {};
  int size = 0;

  void multiply(std::uint32_t factor) {
    std::uint64_t carry = 0;
    for (int i = 0; i < size; ++i) {
      const std::uint64_t p = std::uint64_t{limbs[i]} * factor + carry;
      limbs[i] = static_cast<std::uint32_t>(p % 1000000000);
      carry = p / 1000000000;
    }
    while (carry != 0) {
      limbs[size++] = static_cast<std::uint32_t>(carry % 1000000000);
      carry /= 1000000000;
    }
  }
};

// Writes the decimal digits of `v` at `out`, returns the end.
char* write_digits(char* out, std::uint64_t v) {
  char tmp[20];
  int n = 0;
  do {
    tmp[n++] = static_cast<char>('0' + v % 10);
    v /= 10;
  } while (v != 0);
  while (n > 0) *out++ = tmp[--n];
  return out;
}

// The digits of a value rounded to a number of significant digits.
struct rounded_digits {
  char digits[max_render_size] = {};
  int count = 0;     // digits held
  int exponent = 0;  // place value of digits[0] is 10^exponent
};

// Keeps `count` significant digits (count >= 1) of the 17-digit string `ds`,
// rounding half up on the next digit; zeros stand past the 17th.
void round_to(const char* ds, int exponent, int count, rounded_digits& r) {
  r.count = count;
  r.exponent = exponent;
  const int copied = std::min(count, 17);
  std::memcpy(r.digits, ds, static_cast<std::size_t>(copied));
  std::memset(r.digits + copied, '0', static_cast<std::size_t>(count - copied));
  if (count >= 17 || ds[count] < '5') return;
  for (int i = count - 1; i >= 0; --i) {
    if (r.digits[i] != '9') {
      ++r.digits[i];
      return;
    }
    r.digits[i] = '0';
  }
  r.digits[0] = '1';  // every digit carried: 99.9 became 100.0
  ++r.exponent;
}

// The digit of `r` at place value 10^place.
char digit_at(const rounded_digits& r, int place) {
  const int i = r.exponent - place;
  return (i >= 0 && i < r.count) ? r.digits[i] : '0';
}

// Fixed point from place max(exponent, 0) down to 10^-fraction.
char* write_fixed(char* out, const rounded_digits& r, int fraction) {
  for (int place = std::max(r.exponent, 0); place >= 0; --place) *out++ = digit_at(r, place);
  if (fraction <= 0) return out;
  *out++ = '.';
  for (int place = -1; place >= -fraction; --place) *out++ = digit_at(r, place);
  return out;
}

// Drops trailing zeros after a point, and the point when nothing follows it.
char* strip_fraction(char* begin, char* end) {
  if (std::find(begin, end, '.') == end) return end;
  while (end[-1] == '0') --end;
  if (end[-1] == '.') --end;
  return end;
}

int width_of(conversion c) {
  switch (c) {
    case conversion::fixed:
      return 0;
    case conversion::general_9_4:
      return 9;
    default:
      return 14;
  }
}

// The rendering without padding.
char* render_body(char* out, conversion c, double value) {
  if (std::isnan(value)) return std::copy_n("nan", 3, out);
  if (std::isinf(value))
    return value < 0 ? std::copy_n("-inf", 4, out) : std::copy_n("inf", 3, out);
  if (value < 0) *out++ = '-';
  const double magnitude = std::fabs(value);

  char ds[17] = {};
  int exponent = 0;
  if (magnitude == 0) {
    std::memset(ds, '0', sizeof ds);
  } else {
    const decimal17 d = to_decimal17(magnitude);
    write_digits(ds, d.digits);
    exponent = d.exponent;
  }

  rounded_digits r;
  switch (c) {
    case conversion::fixed: {
      const int count = exponent + 7;  // digits down to the 10^-6 place
      if (count >= 1) {
        round_to(ds, exponent, count, r);
      } else {
        r.count = 1;
        r.digits[0] = (count == 0 && ds[0] >= '5') ? '1' : '0';
        r.exponent = -6;
      }
      return write_fixed(out, r, 6);
    }
    case conversion::exponent_14: {
      round_to(ds, exponent, 8, r);
      *out++ = r.digits[0];
      *out++ = '.';
      out = std::copy_n(r.digits + 1, 7, out);
      return write_exponent(out, r.exponent);
    }
    default: {
      const int precision = c == conversion::general_14_7 ? 7 : 4;
      round_to(ds, exponent, precision, r);
      char* const start = out;
      if (r.exponent < -4 || r.exponent >= precision) {
        *out++ = r.digits[0];
        *out++ = '.';
        out = std::copy_n(r.digits + 1, precision - 1, out);
        out = strip_fraction(start, out);
        return write_exponent(out, r.exponent);
      }
      out = write_fixed(out, r, precision - 1 - r.exponent);
      return strip_fraction(start, out);
    }
  }
}

}  // namespace

decimal17 to_decimal17_exact(double magnitude) {
  const binary_parts parts = split(magnitude);
  big_decimal n;
  std::uint64_t m = parts.significand;
  while (m != 0) {
    n.limbs[n.size++] = static_cast<std::uint32_t>(m % 1000000000);
    m /= 1000000000;
  }
  int decimal_shift = 0;
  if (parts.binary_exponent >= 0) {
    for (int left = parts.binary_exponent; left > 0; left -= 29) {
      n.multiply(std::uint32_t{1} << std::min(left, 29));
    }
  } else {
    // m / 2^j = m * 5^j / 10^j
    constexpr std::uint32_t pow5[] = {1,       5,        25,        125,       625,
                                      3125,    15625,    78125,     390625,    1953125,
                                      9765625, 48828125, 244140625, 1220703125};
    for (int left = -parts.binary_exponent; left > 0; left -= 13) {
      n.multiply(pow5[std::min(left, 13)]);
    }
    decimal_shift = parts.binary_exponent;
  }
  char text[96 * 9 + 1];
  char* end = write_digits(text, n.limbs[n.size - 1]);
  for (int i = n.size - 2; i >= 0; --i) {
    std::uint32_t limb = n.limbs[i];
    for (int j = 8; j >= 0; --j) {
      end[j] = static_cast<char>('0' + limb % 10);
      limb /= 10;
    }
    end += 9;
  }
  const auto length = static_cast<int>(end - text);
  std::uint64_t eighteen = 0;
  for (int i = 0; i < 18; ++i)
    eighteen = eighteen * 10 + (i < length ? static_cast<std::uint64_t>(text[i] - '0') : 0);
  return round_eighteen(eighteen, length - 1 + decimal_shift);
}

namespace {

// The leading digits of a positive finite value, truncated: floor(value *
// 10^(17 - low)), 18 digits when low is the decimal exponent, 19 when the
// exponent is low + 1. False where the fast arithmetic does not reach.
inline bool leading_digits(double magnitude, std::uint64_t& digits, int& low) {
  const binary_parts parts = split(magnitude);
  const int bit_length = 64 - std::countl_zero(parts.significand);
  const int binary_exponent = parts.binary_exponent + bit_length - 1;
  // floor(binary_exponent * log10(2)): the decimal exponent or one below it.
  low = (binary_exponent * 78913) >> 18;
  return scaled_floor(parts.significand, parts.binary_exponent, 17 - low, digits) &&
         digits >= ten17;
}

}  // namespace

decimal17 to_decimal17(double magnitude) {
  std::uint64_t digits = 0;
  int low = 0;
  if (!leading_digits(magnitude, digits, low)) return to_decimal17_exact(magnitude);
  if (digits >= ten18) return round_eighteen(digits / 10, low + 1);
  return round_eighteen(digits, low);
}

char* render_to(char* out, conversion c, double value) {
  char body[max_render_size];
  const char* const end = render_body(body, c, value);
  const auto size = static_cast<int>(end - body);
  const int padding = width_of(c) - size;
  if (padding > 0) {
    std::memset(out, ' ', static_cast<std::size_t>(padding));
    out += padding;
  }
  return std::copy(static_cast<const char*>(body), end, out);
}

std::string render(conversion c, double value) {
  char text[max_render_size];
  return {text, render_to(text, c, value)};
}

namespace {

// The "%14.7e" text from `digits`, the first 18 or 19 digits of the value
// truncated, of which the first has the place value 10^(exponent + 1) when
// there are 19. Writes the sign too.
char* write_exponent_14(char* out, bool negative, std::uint64_t digits, int exponent) {
  // Bring the truncated digits to 19 (a trailing 0 keeps them truncated),
  // arithmetically: which case applies is as good as random in real data.
  const auto eighteen = static_cast<std::uint64_t>(digits < ten18);
  exponent += static_cast<int>(1 - eighteen);
  digits *= 1 + 9 * eighteen;
  // Rounding half up to 17 digits and then to 8 rounds up exactly when the
  // 11 digits below the 8th are >= 49999999950: a 17th-digit carry can only
  // turn ...4999999995x into ...5000000000x. Adding 10^11 - 49999999950
  // does that rounding; the first 8 digits of the sum are the ones shown.
  std::uint64_t rounded = digits + 50000000050;
  if (rounded >= pow10_u64(19)) {  // 9.99999995 became 10.0000000
    rounded = pow10_u64(18);
    ++exponent;
  }
  return number_detail::write_eight_digit_exponent(
      out, negative, rounded / pow10_u64(11),
      exponent_texts[static_cast<std::size_t>(exponent - min_exponent)]);
}

// Every value render_exponent_14_wide leaves: zeros, subnormals, non-finite
// values and magnitudes outside about 1e-10 to 1e15.
[[gnu::noinline]] char* render_exponent_14_extreme(char* out, double value) {
  std::uint64_t digits = 0;
  int exponent = 0;
  if (value == 0 || !leading_digits(std::fabs(value), digits, exponent)) {
    return render_to(out, conversion::exponent_14, value);  // zeros, non-finite, extremes
  }
  return write_exponent_14(out, value < 0, digits, exponent);
}

}  // namespace

char* render_exponent_14_wide(char* out, double value) {
  // Values from about 1e-10 to 1e15 take one 64 x 64 bit product and a
  // right shift: floor(m * 2^e * 10^k) = (m * 5^k) >> -(e + k).
  const auto bits = std::bit_cast<std::uint64_t>(value);
  const auto biased = static_cast<int>((bits >> 52) & 0x7ff);
  const int low = ((biased - 1023) * 78913) >> 18;  // decimal exponent, or one below
  const int k = 17 - low;
  const int shift = biased - 1075 + k;
  if (biased == 0 || biased == 0x7ff || k < 0 || k > 27 || shift >= 0) {
    return render_exponent_14_extreme(out, value);
  }
  const std::uint64_t m = (bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
  const u128 product = static_cast<u128>(m) * pow5_u64[static_cast<std::size_t>(k)];
  const auto digits = static_cast<std::uint64_t>(product >> -shift);
  return write_exponent_14(out, (bits >> 63) != 0, digits, low);
}

namespace {

bool is_space(char c) {
  return c == ' ' || (c >= '\t' && c <= '\r');
}
bool is_digit(char c) {
  return c >= '0' && c <= '9';
}

// The decimal exponent of the leading digit of the mantissa text, plus the
// written exponent: only its sign matters, to tell an overflow from an
// underflow once the exact conversion has said "out of range".
long long magnitude_estimate(const char* first, const char* last, long long written_exponent) {
  long long place = 0;
  bool in_fraction = false;
  for (const char* p = first; p != last; ++p) {
    if (*p == '.') {
      in_fraction = true;
      continue;
    }
    if (*p != '0') break;
    if (in_fraction) --place;
  }
  if (place == 0) {
    // leading digit in the integer part: count the integer digits from it
    const char* p = first;
    while (p != last && *p == '0') ++p;
    while (p != last && is_digit(*p)) {
      ++place;
      ++p;
    }
  }
  return place + written_exponent;
}

// Exactly rounded double of the decimal number mantissa [first, mid) with the
// exponent digits [exp_first, last) (may be empty) of sign `exp_negative`.
double convert_decimal(const char* first, const char* mid, bool exp_negative, const char* exp_first,
                       const char* exp_last) {
  std::string text(first, mid);
  if (exp_first != exp_last) {
    text += exp_negative ? "e-" : "e";
    text.append(exp_first, exp_last);
  }
  double value = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (result.ec == std::errc::result_out_of_range) {
    long long written = 0;
    for (const char* p = exp_first; p != exp_last && written < 100000000; ++p) {
      written = written * 10 + (*p - '0');
    }
    if (exp_negative) written = -written;
    return magnitude_estimate(first, mid, written) > 0 ? std::numeric_limits<double>::infinity()
                                                       : 0.0;
  }
  return value;
}

}  // namespace

parse_result parse_number(const char* first, const char* last, number_variant variant) {
  const char* p = first;
  while (p != last && is_space(*p)) ++p;
  bool negative = false;
  if (p != last && (*p == '+' || *p == '-')) {
    negative = *p == '-';
    ++p;
  }
  const auto used = [&](const char* at) { return static_cast<std::size_t>(at - first); };

  if (variant == number_variant::answer_integer) {
    constexpr long long limit = 1LL << 31;
    long long magnitude = 0;
    const char* const digits = p;
    while (p != last && is_digit(*p)) {
      magnitude = std::min(magnitude * 10 + (*p - '0'), limit);
      ++p;
    }
    if (p == digits) return {0, used(p), false};
    const long long value = negative ? -magnitude : std::min(magnitude, limit - 1);
    return {static_cast<double>(value), used(p), true};
  }

  const char* const mantissa = p;
  int digit_count = 0;
  bool point = false;
  for (; p != last; ++p) {
    if (is_digit(*p)) {
      ++digit_count;
    } else if (*p == '.' && !point) {
      point = true;
    } else {
      break;
    }
  }
  if (digit_count == 0) return {0, used(p), false};
  const char* const mantissa_end = p;

  const char* exp_digits = p;
  const char* exp_end = p;
  bool exp_negative = false;
  const bool letter =
      p != last && (*p == 'e' || *p == 'E' ||
                    (variant == number_variant::data_field && (*p == 'd' || *p == 'D')));
  if (letter) {
    const char* q = p + 1;
    if (q != last && (*q == '+' || *q == '-')) {
      exp_negative = *q == '-';
      ++q;
    }
    const char* const digits = q;
    while (q != last && is_digit(*q)) ++q;
    if (q != digits) {
      exp_digits = digits;
      exp_end = q;
      p = q;
    } else if (variant == number_variant::answer_real) {
      p = q;  // an answer takes the letter and its sign even without digits
    }
  }
  double value = convert_decimal(mantissa, mantissa_end, exp_negative, exp_digits, exp_end);
  if (negative) value = -value;
  return {value, used(p), true};
}

namespace {

using number_detail::digit_run;
using number_detail::digits_value;
using number_detail::load8;
using number_detail::pow10_small;

// Appends the digits at `p` to `mantissa` one at a time; `count` counts
// them (past 19 the mantissa is no longer exact).
const char* take_digits(const char* p, const char* last, std::uint64_t& mantissa, int& count) {
  for (; p != last && is_digit(*p); ++p) {
    mantissa = mantissa * 10 + static_cast<unsigned>(*p - '0');
    ++count;
  }
  return p;
}

// The same, taking the first eight at once where the range allows: fraction
// lengths vary from field to field, and a loop would guess them wrong.
const char* take_fraction_digits(const char* p, const char* last, std::uint64_t& mantissa,
                                 int& count) {
  if constexpr (std::endian::native == std::endian::little) {
    if (last - p >= 8) {
      const std::uint64_t word = load8(p);
      const int run = digit_run(word);
      if (run == 0) return p;
      mantissa = mantissa * pow10_small[run] + digits_value(word, run);
      count += run;
      p += run;
      if (run < 8) return p;
    }
  }
  return take_digits(p, last, mantissa, count);
}

// The exact conversion, kept out of line so that the fast path stays small.
[[gnu::noinline]] const char* parse_data_number_exactly(const char* first, const char* last,
                                                        float& value) {
  const parse_result r = parse_number(first, last, number_variant::data_field);
  value = static_cast<float>(r.value);
  return first + r.used;
}

// The shapes [-]d.ddd with up to 8 fraction digits and an optional e+dd or
// e-dd, on a short path: the fraction bytes are read as one word and its
// digits up to the first non-digit valued as 8 digits. Sets `value` and
// `stop` and returns true, or returns false for every other shape. Needs 24
// readable bytes from `first`.
bool parse_short_fraction(const char* first, float& value, const char*& stop) {
  using number_detail::is_digit_byte;
  using number_detail::repeat_byte;
  if constexpr (std::endian::native != std::endian::little) return false;
  const bool negative = *first == '-';
  const char* const p = first + (static_cast<int>(negative) | static_cast<int>(*first == '+'));
  const std::uint64_t fraction = load8(p + 2) ^ repeat_byte('0');  // digits become 0..9
  const std::uint64_t non_digits =
      (((fraction & repeat_byte(0x7F)) + repeat_byte(0x76)) | fraction) & repeat_byte(0x80);
  const std::uint64_t kept = ((non_digits & (0 - non_digits)) >> 7) - 1;
  const auto run = static_cast<int>(std::countr_zero(non_digits) >> 3);
  const char* const end = p + 2 + run;
  if (!is_digit_byte(p[0]) || p[1] != '.' || is_digit_byte(*end)) return false;
  const std::uint64_t mantissa = static_cast<std::uint64_t>(p[0] - '0') * 100000000 +
                                 number_detail::eight_digit_value(fraction & kept);
  int scale = -8;
  stop = end;
  const char letter = static_cast<char>(*end | 0x20);
  if (letter == 'e' || letter == 'd') {
    int exponent = 0;
    if (!number_detail::two_digit_exponent(end + 1, exponent)) return false;
    scale += exponent;
    stop = end + 4;
  }
  if (scale < -22 || scale > 22) return false;
  value =
      static_cast<float>(number_detail::scaled(mantissa, scale) * number_detail::signs[negative]);
  return true;
}

}  // namespace

const char* parse_data_number_general(const char* first, const char* last, float& value) {
  const char* stop = nullptr;
  if (last - first >= 24 && parse_short_fraction(first, value, stop)) return stop;
  // Signs are as good as random in recorded data: they are taken without
  // branches, which would be guessed wrong every other field.
  const char* p = first;
  const char lead = p != last ? *p : '\0';
  const bool negative = lead == '-';
  p += static_cast<int>(negative) | static_cast<int>(lead == '+');
  std::uint64_t mantissa = 0;
  int digit_count = 0;
  p = take_digits(p, last, mantissa, digit_count);
  int fraction_digits = 0;
  if (p != last && *p == '.') {
    const char* const fraction = p + 1;
    p = take_fraction_digits(fraction, last, mantissa, digit_count);
    fraction_digits = static_cast<int>(p - fraction);
  }
  if (digit_count == 0) {
    value = 0.0f;
    return p;
  }
  int exponent = 0;
  bool exact_path = digit_count > 19 || mantissa > (std::uint64_t{1} << 53);
  if (p != last && ((*p | 0x20) == 'e' || (*p | 0x20) == 'd')) {
    const char* q = p + 1;
    const char exp_lead = q != last ? *q : '\0';
    const bool exp_negative = exp_lead == '-';
    q += static_cast<int>(exp_negative) | static_cast<int>(exp_lead == '+');
    const char* const digits = q;
    if (last - q >= 3 && is_digit(q[0]) && is_digit(q[1]) && !is_digit(q[2])) {
      exponent = (q[0] - '0') * 10 + (q[1] - '0');  // the usual two digits
      q += 2;
    } else {
      while (q != last && is_digit(*q) && q - digits < 4) {
        exponent = exponent * 10 + (*q - '0');
        ++q;
      }
    }
    if (q != digits) {
      if (q != last && is_digit(*q)) exact_path = true;  // a long exponent
      const int sign = -static_cast<int>(exp_negative);  // 0 or -1
      exponent = (exponent ^ sign) - sign;
      p = q;
    }
  }
  const int scale = exponent - fraction_digits;
  if (exact_path || scale < -22 || scale > 22) return parse_data_number_exactly(first, last, value);
  double v = number_detail::scaled(mantissa, scale);
  const std::uint64_t sign_bit = static_cast<std::uint64_t>(negative) << 63;
  value = static_cast<float>(std::bit_cast<double>(std::bit_cast<std::uint64_t>(v) | sign_bit));
  return p;
}

float parse_data_field(const char* first, const char* last) {
  float value = 0;
  parse_data_number(first, last, value);
  return value;
}
