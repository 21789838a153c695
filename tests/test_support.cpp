#include "test_support.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

temp_dir::temp_dir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "chansep-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  root_ = pattern;
  work_ = root_ + "/work";
  std::filesystem::create_directory(work_);
}

temp_dir::~temp_dir() {
  std::error_code ignored;
  std::filesystem::remove_all(root_, ignored);
}

std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void write_file(const std::string& path, const std::string& content) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(content.data(), static_cast<std::streamsize>(content.size()));
}

bool file_exists(const std::string& path) {
  std::error_code ignored;
  return std::filesystem::exists(std::filesystem::symlink_status(path, ignored));
}

bool ends_with(const std::string& s, const std::string& tail) {
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

bool crlf_text() {
  const char* const mode = std::getenv("CHANSEP_TEXT_LINE_END");
  return mode != nullptr && std::string(mode) == "crlf";
}

namespace {

std::string from_text(const std::string& text) {
  if (!crlf_text()) return text;
  std::string lf;
  lf.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) {
      ADD_FAILURE() << "a line feed without a carriage return at byte " << i;
    }
    lf.push_back(text[i]);
  }
  return lf;
}

}  // namespace

std::string read_output(const std::string& path) {
  return from_text(read_file(path));
}

std::string host_reason(const char* posix, const char* windows) {
  return crlf_text() ? windows : posix;
}

std::string fixture(const std::string& name) {
  return read_file(std::string(CHANSEP_TEST_DATA) + "/" + name);
}

run_result run_chansep(const temp_dir& dir, const std::string& answers) {
  const std::string answers_path = dir.aside("answers");
  const std::string console_path = dir.aside("console");
  write_file(answers_path, answers);
  const pid_t child = fork();
  if (child == 0) {
    setsid();  // no controlling terminal: the key wait ends at once
    const int in = open(answers_path.c_str(), O_RDONLY);
    const int out = open(console_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (in < 0 || out < 0 || dup2(in, 0) < 0 || dup2(out, 1) < 0) _exit(126);
    if (chdir(dir.path().c_str()) != 0) _exit(126);
    alarm(120);
    const char* const runner = std::getenv("CHANSEP_RUNNER");
    const char* const program = std::getenv("CHANSEP_UNDER_TEST");
    if (runner != nullptr && program != nullptr) {
      execl(runner, runner, program, static_cast<char*>(nullptr));
    } else {
      execl(CHANSEP_BINARY, "chansep", static_cast<char*>(nullptr));
    }
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  wait4(child, &status, 0, &usage);
  run_result r;
  r.peak_kib = usage.ru_maxrss;
  r.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  r.console = read_output(console_path);
  return r;
}

std::string banner_text() {
  return "\n\n\n chansep, ver 1.1,  September 22, 2004"
         "\n by the chansep developers"
         "\n contact: chansep-dev@example.org";
}
