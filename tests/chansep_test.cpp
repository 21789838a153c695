// The whole program, run as a user runs it: answers on standard input, the
// console and every output file compared byte for byte.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "test_support.h"

namespace {

const std::string input_prompts =
    "\n\n The input file must be an ASCII text file. \n\n Enter input filename:\n";
const std::string prefix_prompt = "\n\n Enter output filename prefix: (example:  testdata )\n";
const std::string column_prompts =
    "\n This file assumes that the first column is an index \n and that the second column is "
    "time(sec). \n\n\n How many columns of accelerometer data does the file have? \n";
const std::string scale_prompt = "\n\n Apply a scale factor to the data? \n 1=yes 2=no\n";
const std::string unit_prompt = "\n\n Select input unit \n1=volts   2=mV \n";
const std::string format_prompt = "\n\n Select scale factor format \n1=G/volt   2=mV/G \n";
const std::string mean_prompt = "\n\n Remove mean from each channel? \n 1=yes 2=no\n";
const std::string header_prompt = "\n\n Enter the number of header lines to skip. \n";
const std::string final_message = "\n\n Program complete. \n Press any key to exit.";

// The console up to and including the column question, for input `name`.
std::string console_through_columns(const std::string& name) {
  return banner_text() + input_prompts + " File: " + name + " opened. \n" + prefix_prompt +
         column_prompts;
}

// Puts the worked example's input into `dir`.
void put_worked_input(const temp_dir& dir) {
  write_file(dir.file("run1.txt"), fixture("worked/run1.txt"));
}

void expect_worked_outputs(const temp_dir& dir, const run_result& r) {
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.console, fixture("worked/console.txt"));
  for (const char* name : {"run1.1", "run1.2", "run1.par"}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(read_output(dir.file(name)), fixture(std::string("worked/") + name));
  }
  EXPECT_FALSE(file_exists(dir.file("run1.3")));
}

TEST(dialogue, worked_example_one_answer_per_line) {
  temp_dir dir;
  put_worked_input(dir);
  expect_worked_outputs(dir, run_chansep(dir, "run1.txt\nrun1\n2\n2\n1\n2\n"));
}

TEST(dialogue, all_answers_on_one_line_read_the_same) {
  temp_dir dir;
  put_worked_input(dir);
  expect_worked_outputs(dir, run_chansep(dir, "  run1.txt run1\t2 2 1 2"));
}

TEST(dialogue, column_count_limits) {
  struct column_case {
    const char* answer;
    const char* total;
    const char* error;  // nullptr: accepted
  };
  const column_case cases[] = {
      {"17", "18", "\n\n Error:  maximum column limit=17 \n"},
      {"2147483647", "2147483648", "\n\n Error:  maximum column limit=17 \n"},
      {"0", "1", "\n\n Error:  minimum column limit=2 \n"},
      {"-3", "-2", "\n\n Error:  minimum column limit=2 \n"},
      {"-2147483648", "-2147483647", "\n\n Error:  minimum column limit=2 \n"},
      {"abc", "1", "\n\n Error:  minimum column limit=2 \n"},
      {"16", "17", nullptr},
  };
  for (const auto& t : cases) {
    SCOPED_TRACE(t.answer);
    temp_dir dir;
    write_file(dir.file("in.txt"), "1 0 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16\n");
    const run_result r = run_chansep(dir, std::string("in.txt out ") + t.answer + " 2 2 0\n");
    const std::string records =
        "\n Input file = in.txt \n\n Total columns = " + std::string(t.total);
    if (t.error != nullptr) {
      EXPECT_EQ(r.status, 1);
      EXPECT_EQ(r.console, console_through_columns("in.txt") + t.error);
      EXPECT_EQ(read_output(dir.file("out.par")), records);
      EXPECT_FALSE(file_exists(dir.file("out.1")));
    } else {
      EXPECT_EQ(r.status, 0);
      EXPECT_EQ(read_output(dir.file("out.16")), "0.0000000e+000 1.6000000e+001\n");
      EXPECT_FALSE(file_exists(dir.file("out.17")));
    }
  }
}

TEST(dialogue, unreadable_answers_keep_their_values_and_the_rest_is_read_next) {
  temp_dir dir;
  write_file(dir.file("in.txt"), "1 0 2\n2 1 4\n");
  // "1.5" reads 1 for the scale question; ".5" then stops the unit and format
  // questions (volts, mV/G) and is read as 0.5 by the factor prompt.
  const run_result r = run_chansep(dir, "in.txt out 1 1.5 x\n");
  EXPECT_EQ(r.status, 0);
  const std::string expected_start =
      console_through_columns("in.txt") + scale_prompt + unit_prompt + format_prompt +
      "\n\n Enter the scale factor for channel 1 (mV/G):   \n" + mean_prompt + header_prompt;
  EXPECT_EQ(r.console.substr(0, expected_start.size()), expected_start);
  // "x" stops the mean and header questions: no means, no header lines.
  EXPECT_EQ(r.console.find("mean="), std::string::npos);
  EXPECT_EQ(read_output(dir.file("out.1")),
            "0.0000000e+000 4.0000000e+003\n1.0000000e+000 8.0000000e+003\n");
  EXPECT_NE(read_output(dir.file("out.par"))
                .find("\n Scale factor for channel 1 =            0.5 (mV/G)\n\n Skip 0 header"),
            std::string::npos);
}

TEST(dialogue, missing_input_file_stops_before_any_file_is_made) {
  temp_dir dir;
  const run_result r = run_chansep(dir, "nope.txt run1 2 2 2 0\n");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.console, banner_text() + input_prompts + " Failed to open file: nope.txt \n");
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST(dialogue, input_that_is_a_directory_does_not_open) {
  temp_dir dir;
  std::filesystem::create_directory(dir.file("folder"));
  const run_result r = run_chansep(dir, "folder run1 2 2 2 0\n");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.console, banner_text() + input_prompts + " Failed to open file: folder \n");
  EXPECT_FALSE(file_exists(dir.file("run1.par")));
}

TEST(dialogue, names_longer_than_their_fields_are_refused) {
  temp_dir dir;
  const std::string long_name(260, 'n');
  run_result r = run_chansep(dir, long_name + " run1 2\n");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.console, banner_text() + input_prompts +
                           "\n\n Error:  the input filename is longer than 259 characters \n");

  write_file(dir.file("in.txt"), "1 0 1\n");
  r = run_chansep(dir, "in.txt " + std::string(24, 'p') + " 2\n");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.console,
            banner_text() + input_prompts + " File: in.txt opened. \n" + prefix_prompt +
                "\n\n Error:  the output filename prefix is longer than 23 characters \n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                          std::filesystem::directory_iterator()),
            1);
}

TEST(dialogue, end_of_input_keeps_every_later_value) {
  temp_dir dir;
  write_file(dir.file("in.txt"), "1 0 1\n2 0.5 3\n");
  // Input ends after the column count: no scaling, no means, no header lines.
  run_result r = run_chansep(dir, "in.txt out 1");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(read_output(dir.file("out.1")),
            "0.0000000e+000 1.0000000e+000\n5.0000000e-001 3.0000000e+000\n");
  EXPECT_EQ(r.console.substr(0, console_through_columns("in.txt").size() + scale_prompt.size()),
            console_through_columns("in.txt") + scale_prompt);
  EXPECT_NE(r.console.find(header_prompt + "\n\n Reading input data......\n\n n=2 lines read.\n"),
            std::string::npos);
  EXPECT_EQ(r.console.substr(r.console.size() - final_message.size()), final_message);

  // Input ends after the prefix: the column count stays 0.
  r = run_chansep(dir, "in.txt out");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.console,
            console_through_columns("in.txt") + "\n\n Error:  minimum column limit=2 \n");

  // Input ends at once: the empty name does not open.
  r = run_chansep(dir, "");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.console, banner_text() + input_prompts + " Failed to open file:  \n");
}

TEST(dialogue, more_data_lines_than_the_limit) {
  temp_dir dir;
  std::string content;
  content.reserve(std::size_t{12} * 1000005);
  for (int i = 0; i < 1000005; ++i) content += "1 " + std::to_string(i % 1000) + " 1\n";
  write_file(dir.file("big.txt"), content);
  const run_result r = run_chansep(dir, "big.txt big 1 2 2 0\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(
      r.console.find("\n n=1000000 lines read.\n\n Warning:  the file holds more than 1000000 "
                     "data lines; the lines after them were not converted. \n"),
      std::string::npos);
  const std::string out = read_output(dir.file("big.1"));
  EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 1000000);
  EXPECT_EQ(out.substr(out.size() - 30), "9.9900000e+002 1.0000000e+000\n");
}

}  // namespace
