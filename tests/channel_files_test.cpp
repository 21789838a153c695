// Channel files, through whole runs of the program.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "test_support.h"

namespace {

const std::string success = "\n\n Program complete. \n Press any key to exit.";
const std::string failure =
    "\n\n Program ended with errors: some output files are incomplete (see above). \n Press any "
    "key to exit.";

// "%14.7e" of a small whole number.
std::string render_text(int v) {
  char text[32];
  std::snprintf(text, sizeof text, "%.7fe+00%d", v / (v >= 100 ? 100.0 : 10.0), v >= 100 ? 2 : 1);
  return text;
}

int files_in(const temp_dir& dir) {
  return static_cast<int>(std::distance(std::filesystem::directory_iterator(dir.path()),
                                        std::filesystem::directory_iterator()));
}

TEST(channel_files, one_column_gives_exactly_one_file) {
  temp_dir dir;
  write_file(dir.file("in.txt"), "1 0 1 2\n");
  const run_result r = run_chansep(dir, "in.txt out 1 2 2 0\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(read_output(dir.file("out.1")), "0.0000000e+000 1.0000000e+000\n");
  EXPECT_EQ(files_in(dir), 3);  // in.txt, out.1, out.par
  EXPECT_NE(r.console.find("\n\n Output data files: \n\n\n  out.1 \n\n Input parameters"),
            std::string::npos);
}

TEST(channel_files, sixteen_columns_give_sixteen_files_with_the_same_times) {
  temp_dir dir;
  std::string content;
  for (int p = 0; p < 3; ++p) {
    char line[128];
    int used = std::snprintf(line, sizeof line, "%d %d.5", p, p);
    for (int k = 1; k <= 16; ++k) {
      used += std::snprintf(line + used, sizeof line - static_cast<std::size_t>(used), " %d",
                            k * 10 + p);
    }
    content.append(line).append("\n");
  }
  write_file(dir.file("in.txt"), content);
  const run_result r = run_chansep(dir, "in.txt out 16 2 2 0\n");
  ASSERT_EQ(r.status, 0);
  for (int k = 1; k <= 16; ++k) {
    SCOPED_TRACE(k);
    const std::string expected = "5.0000000e-001 " + render_text(k * 10) + "\n" +
                                 "1.5000000e+000 " + render_text(k * 10 + 1) + "\n" +
                                 "2.5000000e+000 " + render_text(k * 10 + 2) + "\n";
    EXPECT_EQ(read_output(dir.file("out." + std::to_string(k))), expected);
  }
  EXPECT_FALSE(file_exists(dir.file("out.17")));
}

TEST(channel_files, values_signs_and_non_finite_factors) {
  struct value_case {
    const char* what;
    std::string content;
    std::string answers;  // after "in.txt out 1 "
    std::string expected;
  };
  const value_case cases[] = {
      {"a negative value takes 15 characters", "1 1 -2.5\n", "2 2 0",
       "1.0000000e+000 -2.5000000e+000\n"},
      {"a negative factor times a zero difference has no minus", "1 0 3\n2 1 3\n", "1 1 1 -2 1 0",
       "0.0000000e+000 0.0000000e+000\n1.0000000e+000 0.0000000e+000\n"},
      // The factor is stored in single precision: 0.01 is 0.0099999998.
      {"millivolts and mV/G: 100 mV/G turns 250 mV into 2.5 G", "1 0 250\n", "1 2 2 100 2 0",
       "0.0000000e+000 2.4999999e+000\n"},
      {"volts and G/volt", "1 0 0.5\n", "1 1 1 2.5 2 0", "0.0000000e+000 1.2500000e+000\n"},
      {"millivolts and G/volt", "1 0 1000\n", "1 2 1 2.5 2 0", "0.0000000e+000 2.4999999e+000\n"},
      {"a factor of 0 mV/G is infinite", "1 0 2\n2 1 0\n3 2 -1\n", "1 1 2 0 2 0",
       "0.0000000e+000            inf\n1.0000000e+000            nan\n"
       "2.0000000e+000           -inf\n"},
      {"mean removal", "1 0 1\n2 1 2\n3 2 6\n", "2 1 0",
       "0.0000000e+000 -2.0000000e+000\n1.0000000e+000 -1.0000000e+000\n"
       "2.0000000e+000 3.0000000e+000\n"},
      {"no data lines give an empty file", "title\n", "2 1 1", ""},
  };
  for (const auto& t : cases) {
    SCOPED_TRACE(t.what);
    temp_dir dir;
    write_file(dir.file("in.txt"), t.content);
    const run_result r = run_chansep(dir, "in.txt out 1 " + t.answers + "\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(read_output(dir.file("out.1")), t.expected);
  }
}

TEST(channel_files, a_channel_file_never_replaces_the_input) {
  struct clash_case {
    const char* what;
    const char* input;
    const char* prefix;
    const char* link;  // a link to the input named like a channel file, or nullptr
    const char* clashing;
  };
  const clash_case cases[] = {
      {"same name", "in.2", "in", nullptr, "in.2"},
      {"another spelling", "in.1", "./in", nullptr, "./in.1"},
      {"a symbolic link", "data.txt", "out", "out.2", "out.2"},
  };
  for (const auto& t : cases) {
    SCOPED_TRACE(t.what);
    temp_dir dir;
    const std::string content = "1 0 1 2\n2 1 3 4\n";
    write_file(dir.file(t.input), content);
    if (t.link != nullptr) {
      ASSERT_EQ(symlink(t.input, dir.file(t.link).c_str()), 0);
    }
    const run_result r = run_chansep(dir, std::string(t.input) + " " + t.prefix + " 2 2 2 0\n");
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(ends_with(r.console, "\n\n Error:  the channel file " + std::string(t.clashing) +
                                         " would replace the input file \n"))
        << r.console;
    EXPECT_EQ(read_file(dir.file(t.input)), content);
    // Nothing but the input, the link and the parameter file.
    EXPECT_EQ(files_in(dir), t.link != nullptr ? 3 : 2);
  }
}

TEST(channel_files, a_failed_file_is_reported_and_the_others_are_written) {
  temp_dir dir;
  write_file(dir.file("in.txt"), "1 0 1 2 3\n");
  ASSERT_EQ(symlink("/dev/full", dir.file("out.2").c_str()), 0);
  std::filesystem::create_directory(dir.file("out.3"));
  const run_result r = run_chansep(dir, "in.txt out 3 2 2 0\n");
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.console.find("\n\n Output data files: \n\n\n  out.1 "
                           "\n\n Error:  cannot write file out.2: " +
                           host_reason("No space left on device", "Disk full") +
                           " \n\n\n Error:  cannot create file out.3: " +
                           host_reason("Is a directory", "Access denied") +
                           " \n\n\n Input parameters written to file:\n\n out.par "),
            std::string::npos)
      << r.console;
  EXPECT_TRUE(ends_with(r.console, failure));
  EXPECT_EQ(read_output(dir.file("out.1")), "0.0000000e+000 1.0000000e+000\n");
}

TEST(channel_files, a_complete_run_claims_success) {
  temp_dir dir;
  write_file(dir.file("in.txt"), "1 0 1\n");
  EXPECT_TRUE(ends_with(run_chansep(dir, "in.txt out 1 2 2 0\n").console, success));
}

}  // namespace
