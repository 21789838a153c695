// The I/O floor: what a converter that did no work per value would cost.
//
//   io_floor read FILE                reads FILE through a 1 MiB buffer
//   io_floor write BYTES FILES PREFIX writes BYTES bytes of text lines, split
//                                     evenly over FILES files, one at a time
//
// Both use read(2) and write(2) with a 1 MiB buffer.
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

char block[1 << 20];

int read_all(const char* name) {
  const int fd = open(name, O_RDONLY);
  if (fd < 0) return 1;
  long long total = 0;
  for (;;) {
    const ssize_t got = read(fd, block, sizeof block);
    if (got < 0) return 1;
    if (got == 0) break;
    total += got;
  }
  close(fd);
  return total >= 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "read") == 0) return read_all(argv[2]);
  if (argc != 5 || std::strcmp(argv[1], "write") != 0) {
    std::fprintf(stderr, "usage: io_floor read FILE | io_floor write BYTES FILES PREFIX\n");
    return 2;
  }
  ++argv;
  const long long bytes = std::atoll(argv[1]);
  const int files = std::atoi(argv[2]);
  for (std::size_t i = 0; i < sizeof block; ++i) block[i] = (i % 32 == 31) ? '\n' : '7';
  for (int f = 0; f < files; ++f) {
    const std::string name = std::string(argv[3]) + "." + std::to_string(f + 1);
    const int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) return 1;
    long long left = bytes / files;
    while (left > 0) {
      const auto chunk = static_cast<std::size_t>(left < static_cast<long long>(sizeof block)
                                                      ? left
                                                      : static_cast<long long>(sizeof block));
      if (write(fd, block, chunk) != static_cast<ssize_t>(chunk)) return 1;
      left -= static_cast<long long>(chunk);
    }
    if (close(fd) != 0) return 1;
  }
  return 0;
}
