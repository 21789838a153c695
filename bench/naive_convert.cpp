// The straightforward stdio converter the benchmark compares against: fgets
// and sscanf to read, fprintf "%14.7e" to write, the same table in between.
// It does not produce our exact format (its exponents have two digits); it
// only shows what the obvious approach costs.
//
//   naive_convert INPUT CHANNELS HEADERS PREFIX
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: naive_convert INPUT CHANNELS HEADERS PREFIX\n");
    return 2;
  }
  std::FILE* in = std::fopen(argv[1], "rb");
  if (in == nullptr) return 1;
  const int channels = std::atoi(argv[2]);
  const int headers = std::atoi(argv[3]);
  std::vector<std::vector<float>> table(static_cast<std::size_t>(channels) + 1);
  char line[1024];
  for (int h = 0; h < headers && std::fgets(line, sizeof line, in) != nullptr; ++h) {
  }
  std::vector<float> v(static_cast<std::size_t>(channels) + 1);
  while (std::fgets(line, sizeof line, in) != nullptr) {
    int used = 0;
    if (std::sscanf(line, "%*s%n", &used) < 0) continue;
    const char* p = line + used;
    for (int i = 0; i <= channels; ++i) {
      int n = 0;
      if (std::sscanf(p, "%f%n", &v[static_cast<std::size_t>(i)], &n) != 1) break;
      p += n;
    }
    for (int i = 0; i <= channels; ++i)
      table[static_cast<std::size_t>(i)].push_back(v[static_cast<std::size_t>(i)]);
  }
  std::fclose(in);
  for (int k = 1; k <= channels; ++k) {
    const std::string name = std::string(argv[4]) + "." + std::to_string(k);
    std::FILE* out = std::fopen(name.c_str(), "w");
    if (out == nullptr) return 1;
    const auto& t = table[0];
    const auto& x = table[static_cast<std::size_t>(k)];
    for (std::size_t p = 0; p < t.size(); ++p) std::fprintf(out, "%14.7e %14.7e\n", t[p], x[p]);
    if (std::fclose(out) != 0) return 1;
  }
  return 0;
}
