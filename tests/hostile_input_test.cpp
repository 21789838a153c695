// Whatever the input file or the answers hold, a run ends by itself with a
// known status, in bounded memory, and gives the documented reading.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <thread>

#include "test_support.h"

namespace {

std::string random_bytes(std::size_t size, std::uint64_t seed) {
  std::mt19937_64 rng(seed);
  std::string s(size, '\0');
  for (char& c : s) c = static_cast<char>(rng());
  return s;
}

struct hostile_case {
  const char* what;
  std::function<std::string()> content;
  const char* answers;  // after "in.txt out "
  int status;
  const char* console_part;  // must appear in the console
  const char* channel_1;     // expected out.1, or nullptr to check only that it exists
};

TEST(hostile_input, table_of_inputs) {
  const hostile_case cases[] = {
      {"random binary file", [] { return random_bytes(1 << 16, 1); }, "2 2 2 0", 0,
       "\n Program complete. \n", nullptr},
      {"random binary file with header lines", [] { return random_bytes(1 << 16, 2); }, "16 2 1 7",
       0, "\n Program complete. \n", nullptr},
      // A NUL is not whitespace: it ends a number, and a line of one NUL is an
      // index alone, which repeats the previous values.
      {"NUL bytes inside fields and lines",
       [] { return std::string("1 0.5\0x 2\n\0\n2 1\0 3\n", 19); }, "1 2 2 0", 0,
       "\n n=3 lines read.\n",
       "5.0000000e-001 2.0000000e+000\n5.0000000e-001 2.0000000e+000\n"
       "1.0000000e+000 3.0000000e+000\n"},
      {"a field of 5,000 digits", [] { return "1 0 " + std::string(5000, '7') + "\n"; }, "1 2 2 0",
       0, "\n n=1 lines read.\n", "0.0000000e+000            inf\n"},
      {"numbers beyond every range", [] { return std::string("1 0 1e99999 -1e-99999\n"); },
       "2 2 2 0", 0, "\n n=1 lines read.\n", "0.0000000e+000            inf\n"},
      {"nan and inf are not numbers in data", [] { return std::string("1 nan inf\n2 1 -nan\n"); },
       "1 2 2 0", 0, "\n n=2 lines read.\n",
       "0.0000000e+000 0.0000000e+000\n1.0000000e+000 0.0000000e+000\n"},
      {"a million blank lines", [] { return std::string(1000000, '\n') + "1 0 1\n"; }, "1 2 2 0", 0,
       "\n n=1 lines read.\n", "0.0000000e+000 1.0000000e+000\n"},
      {"an empty file", [] { return std::string(); }, "1 2 1 5", 0,
       "\n n=0 lines read.\n\n Too few data lines to find a sample rate. \n", ""},
      {"only carriage returns", [] { return std::string(1000, '\r'); }, "1 2 2 0", 0,
       "\n n=0 lines read.\n", ""},
      {"a header count of two billion", [] { return std::string("h\n1 0 1\n"); },
       "1 2 2 2000000000", 0, "\n n=0 lines read.\n", ""},
  };
  for (const auto& t : cases) {
    SCOPED_TRACE(t.what);
    temp_dir dir;
    const std::string content = t.content();
    write_file(dir.file("in.txt"), content);
    const run_result r = run_chansep(dir, std::string("in.txt out ") + t.answers + "\n");
    EXPECT_EQ(r.status, t.status);
    EXPECT_NE(r.console.find(t.console_part), std::string::npos) << r.console;
    if (t.channel_1 != nullptr) {
      EXPECT_EQ(read_output(dir.file("out.1")), t.channel_1);
    } else {
      EXPECT_TRUE(file_exists(dir.file("out.1")));
    }
    EXPECT_EQ(read_file(dir.file("in.txt")), content);
    EXPECT_LT(r.peak_kib, 512 * 1024);
  }
}

TEST(hostile_input, a_100_mb_line_of_digits_is_one_line_in_bounded_memory) {
  temp_dir dir;
  std::string content = "1 ";
  content.append(std::size_t{100} * 1000 * 1000, '3');
  content += " 2\n2 1 5\n";
  write_file(dir.file("in.txt"), content);
  content.clear();
  const auto start = std::chrono::steady_clock::now();
  const run_result r = run_chansep(dir, "in.txt out 1 2 2 0\n");
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(60));
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.console.find("\n n=2 lines read.\n"), std::string::npos);
  EXPECT_EQ(read_output(dir.file("out.1")),
            "           inf 2.0000000e+000\n1.0000000e+000 5.0000000e+000\n");
  EXPECT_LT(r.peak_kib, 512 * 1024);
}

TEST(hostile_input, answers_that_end_early_at_every_prompt) {
  // Every prompt in turn meets the end of input; each later value keeps its
  // initial value. Only a missing name or column count stops the run.
  const std::string answers[] = {"in.txt", "out", "2", "1", "2", "1", "100", "200", "1", "1"};
  for (std::size_t kept = 0; kept <= std::size(answers); ++kept) {
    SCOPED_TRACE(kept);
    temp_dir dir;
    const std::string content = "title\n1 0 1 2\n2 0.5 3 4\n";
    write_file(dir.file("in.txt"), content);
    std::string typed;
    for (std::size_t i = 0; i < kept; ++i) typed += answers[i] + " ";
    const run_result r = run_chansep(dir, typed);
    EXPECT_EQ(r.status, kept < 3 ? 1 : 0) << r.console;
    EXPECT_EQ(read_file(dir.file("in.txt")), content);
  }
}

TEST(hostile_input, a_run_killed_while_writing_leaves_the_input_whole) {
  temp_dir dir;
  std::string content;
  for (int p = 0; p < 300000; ++p) {
    content += std::to_string(p) + " " + std::to_string(p) + ".25";
    for (int k = 0; k < 16; ++k) content += " -1.2345678e-01";
    content += "\n";
  }
  write_file(dir.file("in.txt"), content);
  write_file(dir.aside("answers"), "in.txt out 16 2 2 0\n");
  const pid_t child = fork();
  if (child == 0) {
    setsid();
    if (chdir(dir.path().c_str()) != 0 ||
        std::freopen(dir.aside("answers").c_str(), "r", stdin) == nullptr ||
        std::freopen("/dev/null", "w", stdout) == nullptr) {
      _exit(126);
    }
    execl(CHANSEP_BINARY, "chansep", static_cast<char*>(nullptr));
    _exit(127);
  }
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (!file_exists(dir.file("out.2")) && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  kill(child, SIGKILL);
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_TRUE(file_exists(dir.file("out.1")));
  EXPECT_EQ(read_file(dir.file("in.txt")), content);
}

}  // namespace
