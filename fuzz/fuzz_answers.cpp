// The answer readers over any byte stream on standard input.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "answer_reader.h"
#include "run_state.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  // The first byte picks the order of the readers; the rest is the input.
  const unsigned order = data[0];
  std::FILE* const in = std::tmpfile();
  if (in == nullptr) return 0;
  std::fwrite(data + 1, 1, size - 1, in);
  std::rewind(in);
  std::FILE* const saved = stdin;
  stdin = in;
  reset_run_state();
  for (int i = 0; i < 64; ++i) {
    switch ((order >> (2 * (i % 4))) & 3) {
      case 0: {
        std::string token;
        if (!read_token(token)) i = 64;
        if (token.find_first_of(" \t\n\v\f\r") != std::string::npos) std::abort();
        break;
      }
      case 1:
      case 3: {
        std::int32_t value = 7;
        if (!read_integer(value) && value != 7) std::abort();
        break;
      }
      default: {
        float value = 7;
        if (!read_real(value) && value != 7) std::abort();
        break;
      }
    }
  }
  stdin = saved;
  std::fclose(in);
  return 0;
}
