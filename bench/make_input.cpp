// Writes a deterministic recording for the benchmarks: header lines, then
// lines of an index, a time and one value per channel. Odd channels are
// written "%.7e" and even ones "%.6f", as recorders keep one form per
// column; about one field in a hundred has a D exponent instead.
//
//   make_input LINES CHANNELS HEADERS > file
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: make_input LINES CHANNELS HEADERS\n");
    return 2;
  }
  const long lines = std::atol(argv[1]);
  const int channels = std::atoi(argv[2]);
  const int headers = std::atoi(argv[3]);
  static char out_buffer[1 << 20];
  std::setvbuf(stdout, out_buffer, _IOFBF, sizeof out_buffer);
  for (int h = 0; h < headers; ++h)
    std::printf("header line %d of the benchmark recording\n", h + 1);
  std::uint64_t state = 0x9e3779b97f4a7c15u;
  const auto next = [&state] {
    state ^= state << 13;
    state ^= state >> 7;
    state ^= state << 17;
    return state;
  };
  char field[64];
  for (long i = 0; i < lines; ++i) {
    std::printf("%ld %.7e", i + 1, static_cast<double>(i) * 0.0002);
    for (int k = 0; k < channels; ++k) {
      const std::uint64_t r = next();
      const double value = (static_cast<double>(r >> 11) / 9007199254740992.0 - 0.5) * 4.0;
      if (r % 100 == 0) {
        std::snprintf(field, sizeof field, "%.7e", value);
        *std::strchr(field, 'e') = 'D';
      } else if (k % 2 == 0) {
        std::snprintf(field, sizeof field, "%.7e", value);
      } else {
        std::snprintf(field, sizeof field, "%.6f", value);
      }
      std::printf(" %s", field);
    }
    std::printf("\n");
  }
  return 0;
}
