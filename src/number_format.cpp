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

// 5^k for k = 0..55, the largest power of five below 2^128.
constexpr std::array<u128, 56> pow5_table = [] {
  std::array<u128, 56> t{};
  u128 p = 1;
  for (auto& v : t) {
    v = p;
    p *= 5;
  }
  return t;
}();

// 10^k for k = 0..38.
constexpr std::array<u128, 39> pow10_table = [] {
  std::array<u128, 39> t{};
  u128 p = 1;
  for (auto& v : t) {
    v = p;
    p *= 10;
  }
  return t;
}();

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

// floor(m * 2^e * 10^k) when that fits in 64 bits and the fast arithmetic
// covers it; false otherwise.
bool scaled_floor(std::uint64_t m, int e, int k, std::uint64_t& result) {
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
  if (k < 0 && e >= 0 && e <= 74 && -k <= 38) {
    const u128 value = static_cast<u128>(m) << e;
    const u128 quotient = value / pow10_table[static_cast<std::size_t>(-k)];
    if ((quotient >> 64) != 0) return false;
    result = static_cast<std::uint64_t>(quotient);
    return true;
  }
  return false;
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

constexpr char digit_pairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

void write_pair(char* out, std::uint64_t v) { std::memcpy(out, digit_pairs + 2 * v, 2); }

// "e", the exponent's sign and exactly three digits.
char* write_exponent(char* out, int exponent) {
  *out++ = 'e';
  *out++ = exponent < 0 ? '-' : '+';
  const auto a = static_cast<unsigned>(exponent < 0 ? -exponent : exponent);
  *out++ = static_cast<char>('0' + a / 100);
  write_pair(out, a % 100);
  return out + 2;
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
    case conversion::fixed: return 0;
    case conversion::general_9_4: return 9;
    default: return 14;
  }
}

// The rendering without padding.
char* render_body(char* out, conversion c, double value) {
  if (std::isnan(value)) return std::copy_n("nan", 3, out);
  if (std::isinf(value)) return value < 0 ? std::copy_n("-inf", 4, out) : std::copy_n("inf", 3, out);
  if (value < 0) *out++ = '-';
  const double magnitude = std::fabs(value);

  char ds[17];
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
    constexpr std::uint32_t pow5[] = {1,      5,       25,       125,       625,
                                      3125,   15625,   78125,    390625,    1953125,
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
  for (int i = 0; i < 18; ++i) eighteen = eighteen * 10 + (i < length ? text[i] - '0' : 0);
  return round_eighteen(eighteen, length - 1 + decimal_shift);
}

decimal17 to_decimal17(double magnitude) {
  const binary_parts parts = split(magnitude);
  const int bit_length = 64 - std::countl_zero(parts.significand);
  const int binary_exponent = parts.binary_exponent + bit_length - 1;
  // floor(binary_exponent * log10(2)): the decimal exponent or one below it.
  const int low = (binary_exponent * 78913) >> 18;
  std::uint64_t eighteen = 0;
  if (!scaled_floor(parts.significand, parts.binary_exponent, 17 - low, eighteen)) {
    return to_decimal17_exact(magnitude);
  }
  if (eighteen >= ten18) return round_eighteen(eighteen / 10, low + 1);
  if (eighteen < ten17) return to_decimal17_exact(magnitude);
  return round_eighteen(eighteen, low);
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

char* render_exponent_14(char* out, double value) {
  if (!std::isfinite(value)) return render_to(out, conversion::exponent_14, value);
  if (value == 0) return std::copy_n("0.0000000e+000", 14, out);
  if (value < 0) *out++ = '-';
  const decimal17 d = to_decimal17(std::fabs(value));
  constexpr std::uint64_t ten9 = pow10_u64(9);
  std::uint64_t shown = d.digits / ten9 + (d.digits % ten9 >= ten9 / 2 ? 1 : 0);
  int exponent = d.exponent;
  if (shown == pow10_u64(8)) {
    shown = pow10_u64(7);
    ++exponent;
  }
  const std::uint64_t lead = shown / 10000000;
  const std::uint64_t rest = shown % 10000000;
  out[0] = static_cast<char>('0' + lead);
  out[1] = '.';
  write_pair(out + 2, rest / 100000);
  write_pair(out + 4, rest / 1000 % 100);
  write_pair(out + 6, rest / 10 % 100);
  out[8] = static_cast<char>('0' + rest % 10);
  return write_exponent(out + 9, exponent);
}

namespace {

bool is_space(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool is_digit(char c) { return c >= '0' && c <= '9'; }

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
double convert_decimal(const char* first, const char* mid, bool exp_negative,
                       const char* exp_first, const char* exp_last) {
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
  const bool letter = p != last && (*p == 'e' || *p == 'E' ||
                                    (variant == number_variant::data_field &&
                                     (*p == 'd' || *p == 'D')));
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

float parse_data_field(const char* first, const char* last) {
  const char* p = first;
  bool negative = false;
  if (p != last && (*p == '+' || *p == '-')) {
    negative = *p == '-';
    ++p;
  }
  std::uint64_t mantissa = 0;
  int digit_count = 0;
  int fraction_digits = 0;
  bool point = false;
  for (; p != last; ++p) {
    const auto d = static_cast<unsigned>(*p - '0');
    if (d < 10) {
      mantissa = mantissa * 10 + d;
      ++digit_count;
      fraction_digits += point ? 1 : 0;
    } else if (*p == '.' && !point) {
      point = true;
    } else {
      break;
    }
    if (digit_count > 19) break;
  }
  if (digit_count == 0) return 0.0f;
  int exponent = 0;
  if (digit_count <= 19 && p != last && ((*p | 0x20) == 'e' || (*p | 0x20) == 'd')) {
    const char* q = p + 1;
    bool exp_negative = false;
    if (q != last && (*q == '+' || *q == '-')) {
      exp_negative = *q == '-';
      ++q;
    }
    int exp_digits = 0;
    while (q != last && is_digit(*q) && exp_digits < 5) {
      exponent = exponent * 10 + (*q - '0');
      ++exp_digits;
      ++q;
    }
    if (exp_digits == 5) digit_count = 20;  // a long exponent: the exact path decides
    if (exp_negative) exponent = -exponent;
  }
  const int scale = exponent - fraction_digits;
  if (digit_count > 19 || mantissa > (std::uint64_t{1} << 53) || scale < -22 || scale > 22) {
    return static_cast<float>(parse_number(first, last, number_variant::data_field).value);
  }
  // Both operands are exact doubles, so one operation rounds correctly.
  static constexpr double powers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                      1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                      1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  double value = static_cast<double>(mantissa);
  value = scale < 0 ? value / powers[-scale] : value * powers[scale];
  return static_cast<float>(negative ? -value : value);
}
