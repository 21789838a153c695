// render against the exact reference: a single wrong byte is a finding.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "number_format.h"
#include "render_reference.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 9) return 0;
  double value = 0;
  std::memcpy(&value, data, sizeof value);
  if ((data[8] & 1) != 0) value = static_cast<double>(static_cast<float>(value));  // float-derived
  const conversion all[] = {conversion::exponent_14, conversion::general_14_7,
                            conversion::general_14_4, conversion::general_9_4, conversion::fixed};
  const conversion c = all[(data[8] >> 1) % 5];

  const std::string got = render(c, value);
  char fast[64];
  const std::string fast_text(fast, render_exponent_14(fast, value));
  if (fast_text != render(conversion::exponent_14, value)) std::abort();

  if (!std::isfinite(value)) {
    const char* const word = std::isnan(value) ? "nan" : (value < 0 ? "-inf" : "inf");
    if (got.find(word) == std::string::npos || got.find("-nan") != std::string::npos) {
      std::abort();
    }
    return 0;
  }
  if (c == conversion::fixed && std::fabs(value) >= 1e9) return 0;  // past the reference's reach
  if (got != reference_render(c, value)) std::abort();
  return 0;
}
