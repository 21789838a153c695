#include "render_reference.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// The exact reference: the C library prints the exact binary value with as
// many digits as asked, so 40 digits (or 800 when digits 19 to 40 could hide
// a carry) give the first 18 digits truncated. Those are rounded half up to
// 17, then the 17-digit string is rounded to the shown digits.
struct reference_digits {
  std::string digits;  // 17 digits
  int exponent = 0;
};

// The first `count` digits of `digits` (which has more), rounded half up on
// the next one; a carry out of the first digit raises `exponent`.
std::string round_half_up(const std::string& digits, std::size_t count, int& exponent) {
  std::string d = digits.substr(0, count);
  if (digits[count] < '5') return d;
  std::size_t i = count;
  while (i > 0 && d[i - 1] == '9') d[--i] = '0';
  if (i == 0) {
    d.pop_back();
    d.insert(d.begin(), '1');
    ++exponent;
  } else {
    ++d[i - 1];
  }
  return d;
}

reference_digits reference_17(double magnitude) {
  char text[900];
  std::snprintf(text, sizeof text, "%.40e", magnitude);
  std::string mantissa(1, text[0]);
  mantissa.append(text + 2, 40);
  const std::string tail = mantissa.substr(18);
  if (tail.find_first_not_of('9') == std::string::npos ||
      tail.find_first_not_of('0') == std::string::npos) {
    std::snprintf(text, sizeof text, "%.800e", magnitude);
    mantissa.assign(1, text[0]);
    mantissa.append(text + 2, 800);
  }
  int exponent = std::atoi(std::strchr(text, 'e') + 1);
  std::string d = round_half_up(mantissa, 17, exponent);
  return {d, exponent};
}

// Rounds the 17-digit string to `count` (< 17) digits, half up; returns the
// digits and sets `exponent` to that of the rounded value.
std::string reference_round(const reference_digits& r, int count, int& exponent) {
  exponent = r.exponent;
  return round_half_up(r.digits, static_cast<std::size_t>(count), exponent);
}

// The C library's layout of the rounded value digits * 10^last_place, with
// the exponent in three digits and the width applied. Near the ends of the
// double range the value is laid out 20 decades nearer to 1 and its exponent
// put back: there the rounded value may not be a double (it can round past
// the largest one, or into the subnormals).
std::string library_layout(const char* format, const std::string& digits, int last_place,
                           bool negative, int width) {
  const int shift = last_place > 250 ? -20 : (last_place < -250 ? 20 : 0);
  std::string number = negative ? "-" : "";
  number.append(digits).append("e").append(std::to_string(last_place + shift));
  char text[400];
  std::snprintf(text, sizeof text, format, std::strtod(number.c_str(), nullptr));
  std::string s = text;
  const auto e = s.find('e');
  if (e != std::string::npos) {
    const int exponent = std::atoi(s.c_str() + e + 1) - shift;
    char tail[16];
    std::snprintf(tail, sizeof tail, "e%c%03d", exponent < 0 ? '-' : '+', std::abs(exponent));
    s.resize(e);
    s.append(tail);
  }
  if (static_cast<int>(s.size()) < width) {
    s = std::string(static_cast<std::size_t>(width) - s.size(), ' ').append(s);
  }
  return s;
}

}  // namespace

std::string reference_render(conversion c, double value) {
  if (value == 0) value = 0;  // no minus on a zero
  const reference_digits r = reference_17(std::fabs(value));
  const bool negative = value < 0;
  int exponent = 0;
  switch (c) {
    case conversion::exponent_14: {
      const std::string d = reference_round(r, 8, exponent);
      return library_layout("%.7e", d, exponent - 7, negative, 14);
    }
    case conversion::general_14_4:
    case conversion::general_9_4:
    case conversion::general_14_7: {
      const int p = c == conversion::general_14_7 ? 7 : 4;
      const std::string d = reference_round(r, p, exponent);
      return library_layout(p == 7 ? "%.7g" : "%.4g", d, exponent - p + 1, negative,
                            c == conversion::general_9_4 ? 9 : 14);
    }
    case conversion::fixed: {
      const int count = r.exponent + 7;
      std::string digits;
      if (count >= 1) {
        digits = reference_round(r, count, exponent);
        digits.append(static_cast<std::size_t>(exponent - r.exponent), '0');
      } else {
        digits.assign(1, (count == 0 && r.digits[0] >= '5') ? '1' : '0');
      }
      // A negative value that rounds to zero keeps its minus.
      std::string s = library_layout("%.6f", digits, -6, false, 0);
      return (negative ? "-" : "") + s;
    }
  }
  return {};
}
