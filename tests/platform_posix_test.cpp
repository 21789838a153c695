// The console behaviour on a real terminal: a pseudo-terminal stands in for
// the user's.
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <string>

#include "test_support.h"

namespace {

// Reads from the terminal's master side until `wanted` has appeared in
// `seen` or `seconds` have passed. False on timeout or when the child ends.
bool read_until(int master, std::string& seen, const std::string& wanted, int seconds) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  while (seen.find(wanted) == std::string::npos) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return false;
    pollfd p{master, POLLIN, 0};
    if (poll(&p, 1, static_cast<int>(left.count())) <= 0) continue;
    char chunk[4096];
    const ssize_t got = read(master, chunk, sizeof chunk);
    if (got <= 0) return false;
    seen.append(chunk, static_cast<std::size_t>(got));
  }
  return true;
}

void write_all(int fd, const std::string& text) {
  ASSERT_EQ(write(fd, text.data(), text.size()), static_cast<ssize_t>(text.size()));
}

TEST(terminal, prompts_show_before_answers_and_one_key_ends_the_run) {
  temp_dir dir;
  write_file(dir.file("in.txt"), "1 0 1\n2 1 2\n");
  int master = -1;
  const pid_t child = forkpty(&master, nullptr, nullptr, nullptr);
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (chdir(dir.path().c_str()) != 0) _exit(126);
    alarm(60);
    const std::string script = "stty -g > ../before; '" + std::string(CHANSEP_BINARY) +
                               "'; s=$?; stty -g > ../after; exit $s";
    execl("/bin/sh", "sh", "-c", script.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  std::string seen;
  // Nothing has been typed yet: the prompt must already be on the terminal.
  EXPECT_TRUE(read_until(master, seen, "Enter input filename:\r\n", 20)) << seen;
  write_all(master, "in.txt\n");
  EXPECT_TRUE(read_until(master, seen, "(example:  testdata )\r\n", 20)) << seen;
  write_all(master, "out 1 2 2 0\n");
  EXPECT_TRUE(read_until(master, seen, "Press any key to exit.", 20)) << seen;
  // The message comes just before the terminal turns raw: wait for that.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  termios mode{};
  while (tcgetattr(master, &mode) == 0 && (mode.c_lflag & ECHO) != 0 &&
         std::chrono::steady_clock::now() < deadline) {
    usleep(1000);
  }
  EXPECT_EQ(mode.c_lflag & (ECHO | ICANON | ISIG), 0u) << "the key wait is not raw";
  const std::size_t before_key = seen.size();
  write_all(master, "q");                         // one key, no Enter
  read_until(master, seen, "never printed", 10);  // until the child closes the terminal
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  close(master);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(seen.find('q', before_key), std::string::npos) << "the key was echoed";
  const std::string settings_before = read_file(dir.aside("before"));
  EXPECT_FALSE(settings_before.empty());
  EXPECT_EQ(read_file(dir.aside("after")), settings_before);
  EXPECT_EQ(read_output(dir.file("out.1")),
            "0.0000000e+000 1.0000000e+000\n1.0000000e+000 2.0000000e+000\n");
}

TEST(terminal, without_a_terminal_the_key_wait_ends_at_once) {
  // run_chansep gives the program no controlling terminal; the run must end
  // by itself well within the harness's time limit.
  temp_dir dir;
  write_file(dir.file("in.txt"), "1 0 1\n");
  const auto start = std::chrono::steady_clock::now();
  const run_result r = run_chansep(dir, "in.txt out 1 2 2 0\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30));
}

}  // namespace
