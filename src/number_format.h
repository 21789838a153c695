// The number renderings of every text the program writes, and the decimal
// syntax of every number it reads.
#pragma once

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
char* render_exponent_14(char* out, double value);

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

// The value of the first `count` (1 to 8) digit bytes of `word`.
inline std::uint64_t digits_value(std::uint64_t word, int count) {
  word -= repeat_byte('0');
  word <<= 8 * (8 - count);  // drops the bytes after the run, zeros lead
  word = (word * 10 + (word >> 8)) & 0x00FF00FF00FF00FFu;
  word = (word * 100 + (word >> 16)) & 0x0000FFFF0000FFFFu;
  return (word * 10000 + (word >> 32)) & 0xFFFFFFFFu;
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

}  // namespace number_detail

inline const char* parse_data_number(const char* first, const char* last, float& value) {
  using namespace number_detail;
  // The shapes recorders write, [-]d.ddd... with an optional e+dd or e-dd,
  // straight through; every other shape, and the last bytes of a file, take
  // the general path. Signs are taken without branches: they are as good as
  // random in recorded data.
  if constexpr (std::endian::native == std::endian::little) {
    if (last - first >= 24) {
      const char* p = first;
      const bool negative = *p == '-';
      p += static_cast<int>(negative) | static_cast<int>(*p == '+');
      const std::uint64_t word = load8(p + 2);
      const int run = digit_run(word);
      if (is_digit_byte(p[0]) && p[1] == '.' && run > 0 && run < 8) {
        const std::uint64_t mantissa =
            static_cast<std::uint64_t>(p[0] - '0') * pow10_small[run] + digits_value(word, run);
        p += 2 + run;
        int exponent = 0;
        const char letter = static_cast<char>(*p | 0x20);
        bool plain = true;
        if (letter == 'e' || letter == 'd') {
          const char sign = p[1];
          plain = (sign == '-' || sign == '+') && is_digit_byte(p[2]) && is_digit_byte(p[3]) &&
                  !is_digit_byte(p[4]);
          const int magnitude = (p[2] - '0') * 10 + (p[3] - '0');
          const int flip = -static_cast<int>(sign == '-');
          exponent = (magnitude ^ flip) - flip;
          p += 4;
        }
        const int scale = exponent - run;
        if (plain && scale >= -22 && scale <= 22) {
          static constexpr double signs[] = {1.0, -1.0};
          value = static_cast<float>(scaled(mantissa, scale) * signs[negative]);
          return p;
        }
      }
    }
  }
  return parse_data_number_general(first, last, value);
}
