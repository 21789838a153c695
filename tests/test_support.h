// Helpers for the tests: temporary folders, whole-file reads and writes, and
// runs of the built program with answers on standard input.
#pragma once

#include <string>

// A fresh folder, removed with everything in it when the object goes.
class temp_dir {
 public:
  temp_dir();
  ~temp_dir();
  temp_dir(const temp_dir&) = delete;
  temp_dir& operator=(const temp_dir&) = delete;
  // The folder the program runs in.
  const std::string& path() const { return work_; }
  // A path inside that folder.
  std::string file(const std::string& name) const { return work_ + "/" + name; }
  // A path beside the folder, for files the run must not see.
  std::string aside(const std::string& name) const { return root_ + "/" + name; }

 private:
  std::string root_;
  std::string work_;
};

std::string read_file(const std::string& path);

// True when the program under test writes text with CR LF line ends
// (CHANSEP_TEXT_LINE_END=crlf, as for the Windows build under Wine).
bool crlf_text();

// An output text file as if written with LF line ends: with CR LF text, every
// line feed must follow a carriage return, which is then dropped, so the
// expectations of either host are the same bytes.
std::string read_output(const std::string& path);

// The system's reason for an error as the program under test words it:
// `posix` on POSIX hosts, `windows` for the Windows build.
std::string host_reason(const char* posix, const char* windows);
void write_file(const std::string& path, const std::string& content);
bool file_exists(const std::string& path);
bool ends_with(const std::string& s, const std::string& tail);

// A fixture from tests/data.
std::string fixture(const std::string& name);

struct run_result {
  int status = -1;      // exit status, or 128 + signal
  std::string console;  // everything written to standard output
  long peak_kib = 0;    // the run's peak resident memory
};

// Runs chansep in `dir` with `answers` on standard input, standard output
// to a file and no controlling terminal. A run is killed after 120 s. The
// program is the one built beside the tests, or CHANSEP_UNDER_TEST run
// through CHANSEP_RUNNER when those are set (for instance chansep.exe and
// wine64).
run_result run_chansep(const temp_dir& dir, const std::string& answers);

// The console text up to the end of the dialogue's input-file prompts.
std::string banner_text();
