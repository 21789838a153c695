// The number renderings of every text the program writes, and the decimal
// syntax of every number it reads.
#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

// The placeholders of the message templates that take a real number.
enum class conversion {
  fixed,         // "%f": fixed point, 6 digits after the point
  exponent_14,   // "%14.7e": 7 digits after the point, width 14
  general_14_7,  // "%14.7g": 7 significant digits, width 14
  general_14_4,  // "%14.4g": 4 significant digits, width 14
  general_9_4,   // "%9.4g": 4 significant digits, width 9
};

// The room that any one rendering needs ("%f" of the largest double).
inline constexpr std::size_t max_render_size = 330;

// A positive finite value as its first 17 significant decimal digits,
// rounded half up at the 17th: value ~ digits * 10^(exponent - 16).
struct decimal17 {
  std::uint64_t digits = 0;  // in [10^16, 10^17)
  int exponent = 0;          // decimal exponent of the first digit
};

// The 17-digit form of `magnitude`, which must be positive and finite.
decimal17 to_decimal17(double magnitude);

// The same, always through exact big-integer arithmetic: the slow reference
// behind the fast path of to_decimal17.
decimal17 to_decimal17_exact(double magnitude);

// Writes the text of `value` in `c` at `out` (room for max_render_size bytes)
// and returns the end. Zeros render without a minus sign; non-finite values
// as "inf", "-inf" or "nan"; a result wider than the width is never cut.
char* render_to(char* out, conversion c, double value);

// render_to as a string.
std::string render(conversion c, double value);

// The room render_exponent_14 may write into, past the end of its text.
inline constexpr std::size_t exponent_14_room = 24;

// "%14.7e" of `value`: the same bytes as render_to(out, exponent_14, value),
// on a path tuned for the channel files. Returns the end of the text (at most
// 15 bytes) but may write up to exponent_14_room bytes from `out`.
inline char* render_exponent_14(char* out, double value);

// render_exponent_14 for every value, without its inline short path.
char* render_exponent_14_wide(char* out, double value);

// The three syntaxes of numbers read by the program.
enum class number_variant {
  answer_integer,  // sign and digits; saturates to the 32-bit range
  answer_real,     // sign, digits with one point, "e" exponent
  data_field,      // as answer_real, exponents also with "d"; sign-less rules below
};

struct parse_result {
  double value = 0;      // the number; 0 when none was found
  std::size_t used = 0;  // characters taken, leading whitespace included
  bool found = false;    // false: no number begins here
};

// Reads one number of `variant` from the start of [first, last). Leading
// whitespace is skipped. When no number is found, `used` still counts the
// whitespace and the sign (and, for reals, the point) that were taken.
// Reals are the decimal value rounded to double; beyond the double range they
// are plus or minus infinity, below it a signed zero.
parse_result parse_number(const char* first, const char* last, number_variant variant);

// The value of one whitespace-free data field, rounded to single precision:
// the leading number of the field, or 0 when it has none.
float parse_data_field(const char* first, const char* last);

// The same for the field that starts at `first` (not whitespace) within
// [first, last), which may run past the field's end: sets `value` and
// returns where the number stopped, at or before the field's end.
inline const char* parse_data_number(const char* first, const char* last, float& value);

// parse_data_number for every shape of field.
const char* parse_data_number_general(const char* first, const char* last, float& value);

// The pieces of the data-field fast path, inline because the reader calls it
// once a field.
namespace number_detail {

constexpr std::uint64_t repeat_byte(std::uint8_t b) {
  return 0x0101010101010101u * b;
}

inline bool is_digit_byte(char c) {
  return static_cast<unsigned char>(c - '0') < 10;
}

inline std::uint64_t load8(const char* p) {
  std::uint64_t word = 0;
  std::memcpy(&word, p, sizeof word);
  return word;
}

// How many of the 8 bytes of `word`, first byte lowest, are decimal digits
// before the first one that is not.
inline int digit_run(std::uint64_t word) {
  const std::uint64_t high = repeat_byte(0xF0);
  const std::uint64_t zero = repeat_byte('0');
  // A digit has high nibble 3, and still has it after adding 6. A carry out of
  // a non-digit byte can only disturb the bytes after it.
  const std::uint64_t bad = ((word & high) ^ zero) | (((word + repeat_byte(6)) & high) ^ zero);
  return bad == 0 ? 8 : std::countr_zero(bad) / 8;
}

// The value of 8 digits held as bytes 0 to 9, first digit lowest: pairs,
// then quads, then all eight, each step one multiplication for all lanes.
inline std::uint64_t eight_digit_value(std::uint64_t digits) {
  digits = (digits * 10 + (digits >> 8)) & 0x00FF00FF00FF00FFu;
  digits = (digits * 100 + (digits >> 16)) & 0x0000FFFF0000FFFFu;
  return (digits * 10000 + (digits >> 32)) & 0xFFFFFFFFu;
}

// The value of the first `count` (1 to 8) digit bytes of `word`.
inline std::uint64_t digits_value(std::uint64_t word, int count) {
  word -= repeat_byte('0');
  word <<= 8 * (8 - count);  // drops the bytes after the run, zeros lead
  return eight_digit_value(word);
}

inline constexpr std::uint64_t pow10_small[9] = {1,      10,      100,      1000,     10000,
                                                 100000, 1000000, 10000000, 100000000};

// mantissa * 10^scale for mantissa <= 2^53 and |scale| <= 22: both operands
// are exact doubles, so the one operation rounds correctly.
inline double scaled(std::uint64_t mantissa, int scale) {
  static constexpr double powers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                      1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                      1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  const auto v = static_cast<double>(mantissa);
  return scale < 0 ? v / powers[-scale] : v * powers[scale];
}

// The usual exponent after its letter at `p`: a sign, two digits and a byte
// that is no digit, checked as one word. Sets `exponent` and returns true,
// or returns false for every other shape. Reads 4 bytes.
inline bool two_digit_exponent(const char* p, int& exponent) {
  std::uint32_t tail = 0;
  std::memcpy(&tail, p, sizeof tail);
  const std::uint32_t sign = tail & 0xFF;
  const std::uint32_t digits = tail ^ 0x30303000u;  // digits become 0..9
  const std::uint32_t non_digits = (((digits & 0x7F7F7F7Fu) + 0x76767676u) | digits) & 0x80808000u;
  if (((sign - '+') & ~2u) != 0 || non_digits != 0x80000000u) return false;
  const auto magnitude = static_cast<int>(((digits >> 8) & 0xFF) * 10 + ((digits >> 16) & 0xFF));
  const int flip = -static_cast<int>(sign == '-');
  exponent = (magnitude ^ flip) - flip;
  return true;
}

// A value times signs[negative] takes its sign without a branch.
inline constexpr double signs[] = {1.0, -1.0};

// 5^k for k = 0..27, the powers of five below 2^64.
inline constexpr auto pow5_u64 = [] {
  std::array<std::uint64_t, 28> t{};
  std::uint64_t p = 1;
  for (auto& v : t) {
    v = p;
    p *= 5;
  }
  return t;
}();

// Writes "e", the exponent's sign and exactly three digits; returns the end.
constexpr char* write_exponent(char* out, int exponent) {
  const int a = exponent < 0 ? -exponent : exponent;
  out[0] = 'e';
  out[1] = exponent < 0 ? '-' : '+';
  out[2] = static_cast<char>('0' + a / 100);
  out[3] = static_cast<char>('0' + a / 10 % 10);
  out[4] = static_cast<char>('0' + a % 10);
  return out + 5;
}

// "e+000" to "e+308" and "e-001" to "e-324", padded to 8 bytes.
inline constexpr int min_exponent = -324;
inline constexpr int max_exponent = 308;
inline constexpr auto exponent_texts = [] {
  std::array<std::array<char, 8>, max_exponent - min_exponent + 1> t{};
  for (int e = min_exponent; e <= max_exponent; ++e) {
    write_exponent(t[static_cast<std::size_t>(e - min_exponent)].data(), e);
  }
  return t;
}();

// "0000" to "9999" as 4 bytes each, first digit lowest: two lookups write
// eight digits, where arithmetic would take a long chain of multiplications.
inline constexpr auto four_digit_texts = [] {
  std::array<std::uint32_t, 10000> t{};
  for (std::uint32_t i = 0; i < t.size(); ++i) {
    t[i] = (('0' + i / 1000) | (('0' + i / 100 % 10) << 8) | (('0' + i / 10 % 10) << 16) |
            (('0' + i % 10) << 24));
  }
  return t;
}();

// The eight digits high * 10^4 + low (both below 10^4) as ASCII, first digit
// in the lowest byte.
inline std::uint64_t eight_digit_text(std::uint32_t high, std::uint32_t low) {
  return four_digit_texts[high] | (std::uint64_t{four_digit_texts[low]} << 32);
}

// Writes the sign, the eight digits of `digits` (10^7 to 10^8 - 1) with the
// point after the first, and the exponent; returns the end of the text.
inline char* write_eight_digit_exponent(char* out, bool negative, std::uint64_t digits,
                                        const std::array<char, 8>& exponent) {
  *out = '-';
  out += static_cast<int>(negative);
  const std::uint32_t high = static_cast<std::uint32_t>(digits) / 10000u;
  std::uint64_t text = eight_digit_text(high, static_cast<std::uint32_t>(digits) - high * 10000u);
  out[0] = static_cast<char>(text);
  text = (text & ~std::uint64_t{0xFF}) | '.';  // the point takes the first digit's place
  std::memcpy(out + 1, &text, 8);
  std::memcpy(out + 9, exponent.data(), 8);
  return out + 14;
}

// For each biased binary exponent of a magnitude from 2^-28 to 2^26: the
// significands from `ten` up have decimal exponent low + 1, the others low.
// With the decimal exponent d, the magnitude m * 2^e (m the 53-bit
// significand) times 10^(7 - d) has 8 integer digits and f fraction bits;
// multiplier[d - low] is 5^(7 - d) * 2^(64 - f), so that m times it holds
// the integer part in its high 64 bits and the exact fraction in its low 64.
struct scale_row {
  std::uint64_t ten;
  std::uint64_t multiplier[2];
  std::array<char, 8> exponent[2];  // the texts of the exponents low and low + 1
  int low;
};
inline constexpr int scale_rows_first_exponent = 1023 - 28;
inline constexpr auto scale_rows = [] {
  using u128 = unsigned __int128;
  std::array<scale_row, 54> t{};
  for (std::size_t i = 0; i < t.size(); ++i) {
    const int biased = scale_rows_first_exponent + static_cast<int>(i);
    const int e = biased - 1075;
    const int low = ((biased - 1023) * 78913) >> 18;  // floor(log10(2) * exponent)
    // ten = ceil(10^(low + 1) / 2^e), the least m with m * 2^e >= 10^(low + 1).
    u128 power = 1;
    for (int j = 0; j < (low + 1 < 0 ? -(low + 1) : low + 1); ++j) power *= 10;
    const u128 ten = low + 1 >= 0 ? power << -e : ((u128{1} << -e) + power - 1) / power;
    t[i].ten = static_cast<std::uint64_t>(ten > (u128{1} << 53) ? u128{1} << 53 : ten);
    for (int step = 0; step < 2; ++step) {
      const int k = 7 - low - step;
      const int fraction_bits = -e - k;
      // Out of reach only where no significand gets there (checked below).
      if (k < 0 || fraction_bits > 64) continue;
      t[i].multiplier[step] = pow5_u64[static_cast<std::size_t>(k)] << (64 - fraction_bits);
    }
    t[i].low = low;
    for (int step = 0; step < 2; ++step) write_exponent(t[i].exponent[step].data(), low + step);
  }
  return t;
}();

static_assert([] {
  for (const scale_row& r : scale_rows) {
    if (r.multiplier[0] == 0 || (r.multiplier[1] == 0 && r.ten < (std::uint64_t{1} << 53))) {
      return false;
    }
  }
  return true;
}());

}  // namespace number_detail

inline char* render_exponent_14(char* out, double value) {
  using namespace number_detail;
  // Magnitudes from 2^-28 to 2^26 (3.7e-9 to 6.7e7) scale to 8 integer
  // digits by one 64 x 64 bit product: the high half is the integer part and
  // the low half the exact fraction.
  const auto word = std::bit_cast<std::uint64_t>(value);
  const auto row =
      static_cast<std::size_t>(static_cast<int>((word >> 52) & 0x7ff) - scale_rows_first_exponent);
  if (row >= scale_rows.size()) return render_exponent_14_wide(out, value);
  const std::uint64_t m = (word & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
  const scale_row& scale = scale_rows[row];
  const auto up_one = static_cast<std::size_t>(m >= scale.ten);
  const auto product = static_cast<unsigned __int128>(m) * scale.multiplier[up_one];
  // Rounding half up to 17 significant digits and then to 8 rounds up
  // exactly when the fraction is at least 0.4999999995. The fraction is
  // exact in units of 2^-64 and the threshold is no multiple of 2^-64, so
  // comparing with its ceiling decides.
  constexpr std::uint64_t half = 9223372027631403772u;  // ceil(0.4999999995 * 2^64)
  std::uint64_t digits = static_cast<std::uint64_t>(product >> 64) +
                         static_cast<std::uint64_t>(static_cast<std::uint64_t>(product) >= half);
  if (digits == 100000000) {  // 9.99999995 became 10.0000000
    const int exponent = scale.low + static_cast<int>(up_one) + 1;
    return write_eight_digit_exponent(
        out, (word >> 63) != 0, 10000000,
        exponent_texts[static_cast<std::size_t>(exponent - min_exponent)]);
  }
  return write_eight_digit_exponent(out, (word >> 63) != 0, digits, scale.exponent[up_one]);
}

inline const char* parse_data_number(const char* first, const char* last, float& value) {
  using namespace number_detail;
  // The layouts recorders write, [-]d.dddddd with 6 or 7 fraction digits and
  // an optional e+dd or e-dd ("%.6f", "%e", "%.7e"), straight through, with
  // the digits at fixed places; every other shape, and the last bytes of a
  // file, take the general path. Signs are taken without branches: they are
  // as good as random in recorded data.
  if constexpr (std::endian::native == std::endian::little) {
    if (last - first >= 24) {
      const bool negative = *first == '-';
      const char* const p = first + (static_cast<int>(negative) | static_cast<int>(*first == '+'));
      // "d.dddddd": the digits become 0..9 and the point 0.
      const std::uint64_t head = load8(p) ^ 0x3030303030302E30u;
      const std::uint64_t non_digits =
          (((head & repeat_byte(0x7F)) + repeat_byte(0x76)) | head) & repeat_byte(0x80);
      if ((non_digits | (head & 0xFF00u)) == 0) {
        // The first digit moves into the point's place: 7 digits valued as 8.
        std::uint64_t digits =
            eight_digit_value((head & ~std::uint64_t{0xFFFF}) | ((head & 0xFF) << 8));
        const char* end = p + 8;
        int scale = -6;
        if (is_digit_byte(*end)) {
          digits = digits * 10 + static_cast<std::uint64_t>(*end - '0');
          ++end;
          scale = -7;
        }
        const char letter = static_cast<char>(*end | 0x20);
        if (letter != 'e' && letter != 'd') {
          if (!is_digit_byte(*end)) {
            value = static_cast<float>(scaled(digits, scale) * signs[negative]);
            return end;
          }
        } else {
          int exponent = 0;
          if (two_digit_exponent(end + 1, exponent)) {
            scale += exponent;
            if (scale >= -22 && scale <= 22) {
              value = static_cast<float>(scaled(digits, scale) * signs[negative]);
              return end + 4;
            }
          }
        }
      }
    }
  }
  return parse_data_number_general(first, last, value);
}
