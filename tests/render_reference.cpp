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
  std::string d = mantissa.substr(0, 17);
  if (mantissa[17] >= '5') {
    int i = 16;
    while (i >= 0 && d[static_cast<std::size_t>(i)] == '9') d[static_cast<std::size_t>(i--)] = '0';
    if (i < 0) {
      d.pop_back();
      d.insert(d.begin(), '1');
      ++exponent;
    } else {
      ++d[static_cast<std::size_t>(i)];
    }
  }
  return {d, exponent};
}

// Rounds the 17-digit string to `count` digits, half up; returns the digits
// and sets `exponent` to that of the rounded value.
std::string reference_round(const reference_digits& r, int count, int& exponent) {
  std::string d = r.digits.substr(0, static_cast<std::size_t>(count));
  exponent = r.exponent;
  if (r.digits[static_cast<std::size_t>(count)] >= '5') {
    int i = count - 1;
    while (i >= 0 && d[static_cast<std::size_t>(i)] == '9') d[static_cast<std::size_t>(i--)] = '0';
    if (i < 0) {
      d.pop_back();
      d.insert(d.begin(), '1');
      ++exponent;
    } else {
      ++d[static_cast<std::size_t>(i)];
    }
  }
  return d;
}

// The C library's layout of an already rounded value, with the exponent
// widened to three digits and the width applied.
std::string library_layout(const char* format, double rounded, int width) {
  char text[400];
  std::snprintf(text, sizeof text, format, rounded);
  std::string s = text;
  const auto e = s.find('e');
  if (e != std::string::npos && s.size() - e == 4)
    s.insert(s.begin() + static_cast<long>(e) + 2, '0');
  if (static_cast<int>(s.size()) < width) {
    s = std::string(static_cast<std::size_t>(width) - s.size(), ' ').append(s);
  }
  return s;
}

}  // namespace

std::string reference_render(conversion c, double value) {
  if (value == 0) value = 0;  // no minus on a zero
  const double magnitude = std::fabs(value);
  const reference_digits r = reference_17(magnitude);
  const double sign = value < 0 ? -1 : 1;
  int exponent = 0;
  switch (c) {
    case conversion::exponent_14: {
      const std::string d = reference_round(r, 8, exponent);
      const double rounded = std::strtod((d + "e" + std::to_string(exponent - 7)).c_str(), nullptr);
      return library_layout("%.7e", sign * rounded, 14);
    }
    case conversion::general_14_4:
    case conversion::general_9_4:
    case conversion::general_14_7: {
      const int p = c == conversion::general_14_7 ? 7 : 4;
      const std::string d = reference_round(r, p, exponent);
      const double rounded =
          std::strtod((d + "e" + std::to_string(exponent - p + 1)).c_str(), nullptr);
      return library_layout(p == 7 ? "%.7g" : "%.4g", sign * rounded,
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
      digits.append("e-6");
      const double rounded = std::strtod(digits.c_str(), nullptr);
      std::string s = library_layout("%.6f", rounded, 0);
      return (value < 0 ? "-" : "") + s;
    }
  }
  return {};
}
