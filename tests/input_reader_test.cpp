#include "input_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "run_state.h"
#include "test_support.h"

namespace {

std::vector<std::string> echoed;

void collect(std::int32_t index, std::string_view line) {
  EXPECT_EQ(index, static_cast<std::int32_t>(echoed.size()));
  echoed.emplace_back(line);
}

// Reads `content` as an input file: `headers` header lines, then data lines
// of `columns` columns. Returns the data result; the echoes are in `echoed`.
data_read_result read_content(const std::string& content, std::int32_t headers, int columns) {
  temp_dir dir;
  write_file(dir.file("in.txt"), content);
  clear_table();
  echoed.clear();
  int error = 0;
  EXPECT_TRUE(open_input_file(dir.file("in.txt"), error));
  read_header_lines(headers, collect);
  const data_read_result r = read_data_lines(columns);
  close_input();
  return r;
}

struct reader_case {
  const char* what;
  std::string content;
  int columns;
  std::vector<std::vector<float>> rows;  // expected rows 0..columns-1
};

TEST(read_data_lines, table_of_line_shapes) {
  const std::string padded = "1 0.5 2" + std::string(393, ' ') + "\n";     // 401 bytes
  const std::string exact_299 = "1 0.5 2" + std::string(292, ' ') + "\n";  // 299 + LF
  const std::string long_field = "1 0.25 " + std::string(300, '0') + "3\n";
  const reader_case cases[] = {
      {"LF lines", "1 0 1.5\n2 0.5 2.5\n", 2, {{0, 0.5f}, {1.5f, 2.5f}}},
      {"CR LF lines", "1 0 1.5\r\n2 0.5 2.5\r\n", 2, {{0, 0.5f}, {1.5f, 2.5f}}},
      {"last line without line feed", "1 0 1\n2 1 2", 2, {{0, 1}, {1, 2}}},
      {"blank lines of every kind are skipped",
       "\n1 0 1\n\r\n \t \n2 1 2\n\n\n",
       2,
       {{0, 1}, {1, 2}}},
      {"a short line repeats the missing trailing fields",
       "1 0 1 2\n2 0.5\n3 1 5\n",
       3,
       {{0, 0.5f, 1}, {1, 1, 5}, {2, 2, 2}}},
      {"fields never supplied read as 0", "1 0.5\n2 1 3\n", 3, {{0.5f, 1}, {0, 3}, {0, 0}}},
      {"an index alone repeats every value", "1 2 3\n9\n", 2, {{2, 2}, {3, 3}}},
      {"extra fields are ignored", "1 0 1 2 3 4\n", 2, {{0}, {1}}},
      {"data-field syntax", "1 7 0.001 1.5D-3 -2.5E+01\n", 4, {{7}, {0.001f}, {0.0015f}, {-25}}},
      {"junk reads as 0, a NUL ends a number",
       std::string("1 abc 2\0x3 nan\n", 15),
       3,
       {{0}, {2}, {0}}},
      {"a 400-byte line is one sample", padded, 2, {{0.5f}, {2}}},
      {"a 299-byte line is one sample", exact_299, 2, {{0.5f}, {2}}},
      {"a 301-digit field is kept whole", long_field, 2, {{0.25f}, {3}}},
      {"tabs and form feeds separate fields", "1\t0.5\f2\v\n", 2, {{0.5f}, {2}}},
  };
  for (const auto& t : cases) {
    SCOPED_TRACE(t.what);
    const data_read_result r = read_content(t.content, 0, t.columns);
    const auto n = static_cast<std::int32_t>(t.rows[0].size());
    ASSERT_EQ(r.line_count, n);
    EXPECT_FALSE(r.more_than_limit);
    for (std::size_t row = 0; row < t.rows.size(); ++row) {
      for (std::int32_t p = 0; p < n; ++p) {
        EXPECT_EQ(sample_table[row][p], t.rows[row][static_cast<std::size_t>(p)])
            << "row " << row << " line " << p;
      }
      EXPECT_EQ(sample_table[row][n], 0.0f) << "row " << row << " past the last line";
    }
  }
}

TEST(read_data_lines, empty_and_blank_files_give_no_lines) {
  EXPECT_EQ(read_content("", 0, 2).line_count, 0);
  EXPECT_EQ(read_content("\n\r\n  \n", 0, 2).line_count, 0);
}

TEST(read_header_lines, echoes_only_lines_that_exist) {
  struct header_case {
    const char* what;
    std::string content;
    std::int32_t count;
    std::vector<std::string> echoes;
    std::int32_t data_lines;
  };
  const std::string long_header(1000, 'h');
  const header_case cases[] = {
      {"two headers", "title\ncols\n1 0 1\n", 2, {"title\n", "cols\n"}, 1},
      {"CR LF header keeps its carriage return", "title\r\n1 0 1\r\n", 1, {"title\r\n"}, 1},
      {"a long header is one line", long_header + "\n1 0 1\n", 1, {long_header + "\n"}, 1},
      {"blank header lines count as headers", "\n\n1 0 1\n", 2, {"\n", "\n"}, 1},
      {"count beyond the file", "a\nb", 1000000000, {"a\n", "b"}, 0},
      {"count of zero", "1 0 1\n", 0, {}, 1},
      {"negative count", "1 0 1\n", -5, {}, 1},
  };
  for (const auto& t : cases) {
    SCOPED_TRACE(t.what);
    const data_read_result r = read_content(t.content, t.count, 2);
    EXPECT_EQ(echoed, t.echoes);
    EXPECT_EQ(r.line_count, t.data_lines);
  }
}

TEST(open_input_file, fails_on_missing_file_and_directory) {
  temp_dir dir;
  int error = 0;
  EXPECT_FALSE(open_input_file(dir.file("missing.txt"), error));
  EXPECT_NE(error, 0);
  EXPECT_FALSE(open_input_file(dir.path(), error));
  EXPECT_NE(error, 0);
  EXPECT_FALSE(open_input_file(std::string("in\0.txt", 7), error));
}

}  // namespace
