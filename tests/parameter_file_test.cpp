// The parameter file, through whole runs of the program.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "test_support.h"

namespace {

const std::string rule_open = "\n\n\n___________________________\n\n";
const std::string rule_close = "\n\n___________________________\n\n";

TEST(parameter_file, records_of_each_kind_of_run) {
  struct record_case {
    const char* what;
    std::string content;
    std::string answers;
    std::string expected;
  };
  const std::string two_lines = "h1\nh2\n1 0 1 2\n2 0.5 3 4\n";
  const std::string rate = "\n n=2 lines read\n\n sample rate =              2 samples/sec \n\n";
  const record_case cases[] = {
      {"G/volt factors as read", two_lines, "2 1 1 1 0.123456789 2.5 2 0",
       "\n Input file = in.txt \n\n Total columns = 3"
       "\n Scale factor for channel 1 =      0.1234568 (G/volt)"
       "\n Scale factor for channel 2 =            2.5 (G/volt)"
       "\n\n Skip 0 header lines" +
           rule_open + rule_close +
           "\n n=4 lines read\n"
           "\n sample rate =              6 samples/sec \n\n"},  // h1 and h2 read as data
      {"mV/G factors, millivolt input: 100 recorded, not 0.01", two_lines, "1 1 2 2 100 2 2",
       "\n Input file = in.txt \n\n Total columns = 2"
       "\n Scale factor for channel 1 =            100 (mV/G)"
       "\n\n Skip 2 header lines" +
           rule_open + "\n 0. h1\n \n 1. h2\n " + rule_close + rate},
      {"G/volt, millivolt input: 2.5 recorded, not 0.0025", two_lines, "1 1 2 1 2.5 2 2",
       "\n Input file = in.txt \n\n Total columns = 2"
       "\n Scale factor for channel 1 =            2.5 (G/volt)"
       "\n\n Skip 2 header lines" +
           rule_open + "\n 0. h1\n \n 1. h2\n " + rule_close + rate},
      {"no scaling", two_lines, "1 2 2 2",
       "\n Input file = in.txt \n\n Total columns = 2\n\n Skip 2 header lines" + rule_open +
           "\n 0. h1\n \n 1. h2\n " + rule_close + rate},
      {"negative header count", "1 0 1\n2 0.5 1\n", "1 2 2 -3",
       "\n Input file = in.txt \n\n Total columns = 2\n\n Skip -3 header lines" + rule_open +
           rule_close + rate},
      {"header count beyond the file echoes only the lines there", "only\nlast", "1 2 2 2000000000",
       "\n Input file = in.txt \n\n Total columns = 2\n\n Skip 2000000000 header lines" +
           rule_open + "\n 0. only\n \n 1. last " + rule_close +
           "\n n=0 lines read\n\n Too few data lines to find a sample rate. \n\n"},
      {"CR LF header keeps its carriage return", "title\r\n1 0 1\r\n2 0.5 1\r\n", "1 2 2 1",
       "\n Input file = in.txt \n\n Total columns = 2\n\n Skip 1 header lines" + rule_open +
           "\n 0. title\r\n " + rule_close + rate},
      {"one data line", "1 0 1\n", "1 2 2 0",
       "\n Input file = in.txt \n\n Total columns = 2\n\n Skip 0 header lines" + rule_open +
           rule_close + "\n n=1 lines read\n\n Too few data lines to find a sample rate. \n\n"},
  };
  for (const auto& t : cases) {
    SCOPED_TRACE(t.what);
    temp_dir dir;
    write_file(dir.file("in.txt"), t.content);
    const run_result r = run_chansep(dir, "in.txt out " + t.answers + "\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(read_output(dir.file("out.par")), t.expected);
    EXPECT_NE(r.console.find("\n\n Input parameters written to file:\n\n out.par \n\n Program "
                             "complete. \n"),
              std::string::npos);
  }
}

TEST(parameter_file, never_replaces_the_input) {
  struct clash_case {
    const char* what;
    const char* input;
    const char* prefix;
    const char* link;
  };
  const clash_case cases[] = {
      {"same name", "data.par", "data", nullptr},
      {"a symbolic link", "in.txt", "out", "out.par"},
  };
  for (const auto& t : cases) {
    SCOPED_TRACE(t.what);
    temp_dir dir;
    const std::string content = "1 0 1\n";
    write_file(dir.file(t.input), content);
    if (t.link != nullptr) {
      ASSERT_EQ(symlink(t.input, dir.file(t.link).c_str()), 0);
    }
    const run_result r = run_chansep(dir, std::string(t.input) + " " + t.prefix + " 1 2 2 0\n");
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(ends_with(r.console,
                          "\n\n Enter output filename prefix: (example:  testdata )\n"
                          "\n\n Error:  the parameter file " +
                              std::string(t.prefix) + ".par would replace the input file \n"))
        << r.console;
    EXPECT_EQ(read_file(dir.file(t.input)), content);
    EXPECT_FALSE(file_exists(dir.file(std::string(t.prefix) + ".1")));
  }
}

TEST(parameter_file, a_missing_folder_stops_before_any_data_is_read) {
  temp_dir dir;
  write_file(dir.file("in.txt"), "1 0 1\n");
  const run_result r = run_chansep(dir, "in.txt missing/out 1 2 2 0\n");
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(ends_with(r.console, "\n\n Error:  cannot create file missing/out.par: " +
                                       host_reason("No such file or directory", "Path not found") +
                                       " \n"))
      << r.console;
  EXPECT_EQ(r.console.find("Reading input data"), std::string::npos);
}

TEST(parameter_file, a_full_disk_is_reported_and_the_run_does_not_claim_success) {
  temp_dir dir;
  write_file(dir.file("in.txt"), "1 0 1\n2 1 2\n");
  ASSERT_EQ(symlink("/dev/full", dir.file("out.par").c_str()), 0);
  const run_result r = run_chansep(dir, "in.txt out 1 2 2 0\n");
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.console.find("samples/sec \n\n\n\n Error:  cannot write file out.par: " +
                           host_reason("No space left on device", "Disk full") + " \n"),
            std::string::npos)
      << r.console;
  EXPECT_EQ(r.console.find("Input parameters written"), std::string::npos);
  EXPECT_TRUE(ends_with(r.console,
                        "\n\n Program ended with errors: some output files are "
                        "incomplete (see above). \n Press any key to exit."));
  EXPECT_EQ(read_output(dir.file("out.1")),
            "0.0000000e+000 1.0000000e+000\n1.0000000e+000 2.0000000e+000\n");
}

}  // namespace
