// A whole run over a fuzzed input file and a fuzzed answer stream, in a
// temporary folder. The input is the bytes after the first NUL; the answers
// are those before it, with "/" made "_" so that no file lands outside the
// folder. Any crash, hang or undefined behaviour is a finding, and so is a
// run that changes its input file or ends with an unknown status.
#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

int run_conversion();

namespace {

std::filesystem::path folder;

std::string read_all(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // No terminal: the key wait at the end of a run must return at once.
  const int tty = open("/dev/tty", O_RDWR | O_NOCTTY);
  if (tty >= 0) {
    ioctl(tty, TIOCNOTTY);
    close(tty);
  }
  std::freopen("/dev/null", "w", stdout);
  char pattern[] = "/tmp/chansep-fuzz-XXXXXX";
  if (mkdtemp(pattern) == nullptr) std::abort();
  folder = pattern;
  std::filesystem::current_path(folder);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string all(reinterpret_cast<const char*>(data), size);
  const std::size_t split = std::min(all.find('\0'), all.size());
  std::string answers = all.substr(0, split);
  std::replace(answers.begin(), answers.end(), '/', '_');
  const std::string content = split < all.size() ? all.substr(split + 1) : std::string();

  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    std::filesystem::remove_all(entry.path());
  }
  {
    std::ofstream input(folder / "in.txt", std::ios::binary);
    input << content;
  }
  std::FILE* const in = std::tmpfile();
  if (in == nullptr) return 0;
  std::fwrite(answers.data(), 1, answers.size(), in);
  std::rewind(in);
  std::FILE* const saved = stdin;
  stdin = in;
  const int status = run_conversion();
  stdin = saved;
  std::fclose(in);
  std::fflush(stdout);
  if (status < 0 || status > 2) std::abort();
  if (read_all(folder / "in.txt") != content) std::abort();  // the input is never touched
  return 0;
}
