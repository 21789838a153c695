// The input file: header lines, then data lines of an index, a time and one
// value per channel, read into the sample table.
#pragma once

#include <cstdint>
#include <string_view>

// Sets every value of every row of the sample table to 0.
void clear_table();

// Opens `name` for reading as it is on disk. On failure returns false and
// sets `error` to the host's error code.
bool open_input_file(std::string_view name, int& error);

// The next line, its line-end bytes included (a last line may have none),
// whatever its length. False at the end of the file or after a read error.
// The view stays valid until the next read.
bool read_line(std::string_view& line);

// Reads up to `count` header lines and hands each one read, with its number
// from 0, to `echo`. Returns how many were read; a count <= 0 reads none.
std::int32_t read_header_lines(std::int32_t count, void (*echo)(std::int32_t, std::string_view));

// Result of reading the data lines.
struct data_read_result {
  std::int32_t line_count = 0;   // data lines stored, at most max_data_lines
  bool more_than_limit = false;  // a further data line was left unread
};

// Reads data lines into rows 0 to total_columns - 1 of the sample table.
// Blank lines are skipped; fields a line lacks keep the previous line's
// values (0 before any line supplied them); extra fields are ignored.
data_read_result read_data_lines(int total_columns);

// True when reading stopped on a read error rather than the end of the file.
bool input_read_failed();

// The host's error code of that read error.
int input_read_error();

// Closes the input file.
void close_input();
