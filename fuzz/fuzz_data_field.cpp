// Data fields: the fast parser must give the bytes of the exact one, and both
// must agree with std::from_chars on the text they accepted.
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "number_format.h"

namespace {

bool is_space(char c) {
  return c == ' ' || (c >= '\t' && c <= '\r');
}

// The accepted number in from_chars's own syntax: no "+", "e" for "d".
std::string as_from_chars_text(const char* first, const char* last) {
  std::string text;
  for (const char* p = first; p != last; ++p) {
    if (*p == '+') continue;
    text.push_back((*p == 'd' || *p == 'D') ? 'e' : *p);
  }
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const char* const first = reinterpret_cast<const char*>(data);
  const char* const last = first + size;
  if (size > 0 && is_space(first[0])) return 0;  // fields never start with whitespace

  float fast = 0;
  const char* const stop = parse_data_number(first, last, fast);
  const parse_result exact = parse_number(first, last, number_variant::data_field);
  const auto exact_float = static_cast<float>(exact.value);
  if (std::bit_cast<std::uint32_t>(fast) != std::bit_cast<std::uint32_t>(exact_float)) std::abort();
  if (stop != first + exact.used) std::abort();
  if (stop < first || stop > last) std::abort();
  for (const char* p = first; p != stop; ++p) {
    if (is_space(*p)) std::abort();  // a number never runs into the next field
  }
  if (!exact.found) {
    if (exact.value != 0 || std::isnan(fast)) std::abort();
    return 0;
  }

  const std::string text = as_from_chars_text(first, stop);
  double expected = 0;
  const auto r = std::from_chars(text.data(), text.data() + text.size(), expected);
  if (r.ec == std::errc::result_out_of_range) {
    if (!(std::isinf(exact.value) || exact.value == 0)) std::abort();
    return 0;
  }
  if (r.ec != std::errc() || r.ptr != text.data() + text.size()) std::abort();
  if (exact.value != expected) std::abort();
  return 0;
}
