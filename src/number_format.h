// The number renderings of every text the program writes, and the decimal
// syntax of every number it reads.
#pragma once

#include <cstddef>
#include <cstdint>
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
const char* parse_data_number(const char* first, const char* last, float& value);
