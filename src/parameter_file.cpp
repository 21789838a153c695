#include "parameter_file.h"

#include "number_format.h"
#include "run_state.h"

namespace {

std::string decimal(std::int64_t v) {
  return std::to_string(v);
}

}  // namespace

std::string parameter_file_name(std::string_view prefix) {
  return std::string(prefix) + ".par";
}

bool open_parameter_file(std::string_view prefix, std::string_view input_name) {
  if (!create_output(parameter_file, parameter_file_name(prefix))) return false;
  write_output(parameter_file, "\n Input file = ");
  write_output(parameter_file, input_name);
  write_output(parameter_file, " \n");
  return true;
}

void write_total_columns(std::int64_t total_columns) {
  write_output(parameter_file, "\n Total columns = " + decimal(total_columns));
}

void write_scale_factor(std::int32_t channel, float value, std::int32_t scale_format) {
  write_output(parameter_file, "\n Scale factor for channel " + decimal(channel) + " = " +
                                   render(conversion::general_14_7, value) +
                                   (scale_format == 1 ? " (G/volt)" : " (mV/G)"));
}

void write_header_count(std::int32_t header_count) {
  write_output(parameter_file, "\n\n Skip " + decimal(header_count) + " header lines");
}

void write_opening_rule() {
  write_output(parameter_file, "\n\n\n___________________________\n\n");
}

void write_header_line(std::int32_t index, std::string_view text) {
  write_output(parameter_file, "\n " + decimal(index) + ". ");
  write_output(parameter_file, text);
  write_output(parameter_file, " ");
}

void write_closing_rule() {
  write_output(parameter_file, "\n\n___________________________\n\n");
}

void write_lines_read(std::int32_t line_count) {
  write_output(parameter_file, "\n n=" + decimal(line_count) + " lines read\n");
}

void write_sample_rate(std::string_view sample_rate_line) {
  write_output(parameter_file, sample_rate_line);
}

bool close_parameter_file() {
  return close_output(parameter_file);
}

std::string parameter_file_announcement() {
  return "\n\n Input parameters written to file:\n\n " + parameter_file.name + " ";
}
