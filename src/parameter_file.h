// The run's record, prefix.par: the input file, the column count, the scale
// factors as read, the header lines, the line count and the sample rate.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The parameter file's name for `prefix`.
std::string parameter_file_name(std::string_view prefix);

// Creates the file and writes the input-file record. False when it cannot be
// created; the reason is in parameter_file.
bool open_parameter_file(std::string_view prefix, std::string_view input_name);

// The records, each written at the stage that knows its value. Total columns
// is 64-bit because an answer of 2147483647 columns makes it 2^31.
void write_total_columns(std::int64_t total_columns);
void write_scale_factor(std::int32_t channel, float value, std::int32_t scale_format);
void write_header_count(std::int32_t header_count);
void write_opening_rule();
void write_header_line(std::int32_t index, std::string_view text);
void write_closing_rule();
void write_lines_read(std::int32_t line_count);

// The sample-rate record: the same text as the console's sample-rate line.
void write_sample_rate(std::string_view sample_rate_line);

// Writes out and closes the file. False when any write or the close failed.
bool close_parameter_file();

// The console text that names the parameter file.
std::string parameter_file_announcement();
