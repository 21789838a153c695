// chansep: splits a multi-channel accelerometer recording into one
// time-history file per channel. The run is one fixed pass of thirteen
// stages, driven by the answers to a console dialogue.
#include <cstdint>
#include <string>
#include <string_view>

#include "answer_reader.h"
#include "channel_files.h"
#include "console.h"
#include "input_reader.h"
#include "number_format.h"
#include "parameter_file.h"
#include "platform.h"
#include "run_state.h"
#include "statistics.h"

namespace {

// Exit statuses: a completed run, a run stopped by the dialogue or its set-up
// before any data was converted, and a run whose outputs are incomplete.
constexpr int exit_completed = 0;
constexpr int exit_stopped = 1;
constexpr int exit_output_failed = 2;

std::string decimal(std::int64_t v) {
  return std::to_string(v);
}

void say_error(std::string_view text) {
  say("\n\n Error:  " + std::string(text) + " \n");
}

// Ends the run early: the parameter file, when open, keeps what it holds.
int stop_run() {
  if (parameter_file.is_open && !close_parameter_file()) {
    say_error(output_failure_text(parameter_file));
  }
  close_input();
  return exit_stopped;
}

std::int32_t ask_int(std::string_view prompt, std::int32_t value) {
  say(prompt);
  read_integer(value);
  return value;
}

// Stage 3: the input file's name, and the file opened.
bool ask_input_file() {
  say("\n\n The input file must be an ASCII text file. ");
  say("\n\n Enter input filename:\n");
  std::string name;
  read_token(name);
  name_field& input_name = output_names[0];
  if (!input_name.assign(name)) {
    say_error("the input filename is longer than " + decimal(name_capacity) + " characters");
    return false;
  }
  int error = 0;
  if (!open_input_file(input_name.view(), error)) {
    say(" Failed to open file: " + name + " \n");
    return false;
  }
  say(" File: " + name + " opened. \n");
  return true;
}

// Stage 4: the prefix, the output names and the parameter file.
bool ask_prefix() {
  say("\n\n Enter output filename prefix: (example:  testdata )\n");
  std::string prefix;
  read_token(prefix);
  if (prefix.size() > prefix_capacity) {
    say_error("the output filename prefix is longer than " + decimal(prefix_capacity) +
              " characters");
    return false;
  }
  run_settings.prefix.assign(prefix);
  form_output_names(prefix);
  const std::string par_name = parameter_file_name(prefix);
  if (host_is_same_file(par_name, input_file.file)) {
    say_error("the parameter file " + par_name + " would replace the input file");
    return false;
  }
  if (!open_parameter_file(prefix, output_names[0].view())) {
    say_error(output_failure_text(parameter_file));
    return false;
  }
  return true;
}

// Stage 5: the column count, recorded before it is checked.
bool ask_columns() {
  say("\n This file assumes that the first column is an index \n and that the second column is "
      "time(sec). \n");
  run_settings.accelerometer_columns =
      ask_int("\n\n How many columns of accelerometer data does the file have? \n", 0);
  const std::int64_t total = std::int64_t{run_settings.accelerometer_columns} + 1;
  write_total_columns(total);
  if (total > max_total_columns) {
    say("\n\n Error:  maximum column limit=17 \n");
    return false;
  }
  if (total < 2) {
    say("\n\n Error:  minimum column limit=2 \n");
    return false;
  }
  run_settings.total_columns = static_cast<std::int32_t>(total);
  const int clash = channel_file_clashing_with_input(run_settings.total_columns);
  if (clash != 0) {
    say_error("the channel file " + std::string(output_names[clash].view()) +
              " would replace the input file");
    return false;
  }
  return true;
}

// Stage 6: whether to scale, the unit, the format and a factor per channel.
void ask_scale_factors() {
  for (float& factor : scale_factors) factor = 1.0f;
  run_settings.apply_scale = ask_int("\n\n Apply a scale factor to the data? \n 1=yes 2=no\n", 0);
  if (run_settings.apply_scale != 1) return;
  run_settings.input_unit = ask_int("\n\n Select input unit \n1=volts   2=mV \n", 0);
  run_settings.scale_format = ask_int("\n\n Select scale factor format \n1=G/volt   2=mV/G \n", 0);
  for (int k = 1; k < run_settings.total_columns; ++k) {
    float& factor = scale_factors[k];
    if (run_settings.scale_format == 1) {
      say("\n\n Enter the scale factor for channel " + decimal(k) + " (G/volt):   \n");
      read_real(factor);
      write_scale_factor(k, factor, run_settings.scale_format);
    } else {
      say("\n\n Enter the scale factor for channel " + decimal(k) + " (mV/G):   \n");
      float millivolts_per_g = 1.0f;
      read_real(millivolts_per_g);
      factor = static_cast<float>(1000.0 / millivolts_per_g);
      write_scale_factor(k, millivolts_per_g, run_settings.scale_format);
    }
    if (run_settings.input_unit == 2) factor = static_cast<float>(factor / 1000.0);
  }
}

// Stage 8: the header count, and the header lines echoed into the record.
void ask_and_skip_header_lines() {
  run_settings.header_count = ask_int("\n\n Enter the number of header lines to skip. \n", 0);
  write_header_count(run_settings.header_count);
  write_opening_rule();
  read_header_lines(run_settings.header_count, write_header_line);
  write_closing_rule();
}

// Stage 9: the data lines. False when a read error cut the input short.
bool read_data() {
  say("\n\n Reading input data......\n");
  const data_read_result result = read_data_lines(run_settings.total_columns);
  const bool read_failed = input_read_failed();
  close_input();
  run_settings.line_count = result.line_count;
  say("\n n=" + decimal(result.line_count) + " lines read.\n");
  write_lines_read(result.line_count);
  if (result.more_than_limit) {
    say("\n Warning:  the file holds more than " + decimal(max_data_lines) +
        " data lines; the lines after them were not converted. \n");
  }
  if (read_failed) {
    say_error("reading " + std::string(output_names[0].view()) + " failed: " +
              host_error_text(input_read_error()) + "; the lines after it were not converted");
    return false;
  }
  return true;
}

// Stage 10: sample rate, its record, the parameter file closed, the means.
bool report_statistics() {
  const std::int32_t n = run_settings.line_count;
  const bool rate_known = compute_sample_rate(n);
  const std::string rate_line = sample_rate_text(rate_known);
  say(time_span_text(n) + rate_line);
  write_sample_rate(rate_line);
  const bool recorded = close_parameter_file();
  if (!recorded) say_error(output_failure_text(parameter_file));
  compute_channel_means(run_settings.total_columns, n, run_settings.remove_mean);
  say(channel_means_text(run_settings.total_columns, n, run_settings.remove_mean));
  return recorded;
}

// Stage 11: one file per channel, each reported as it is done.
bool write_and_list_channel_files() {
  say("\n\n Output data files: \n\n");
  render_time_column(run_settings.line_count);
  bool all_written = true;
  for (int k = 1; k < run_settings.total_columns; ++k) {
    if (write_channel_file(k, run_settings.line_count)) {
      say("\n  " + std::string(output_names[k].view()) + " ");
    } else {
      say_error(output_failure_text(channel_file));
      all_written = false;
    }
  }
  return all_written;
}

}  // namespace

// The whole run, stages 1 to 13. Returns the process's exit status.
int run_conversion() {
  reset_run_state();
  say("\n\n\n chansep, ver 1.1,  September 22, 2004");
  say("\n by the chansep developers");
  say("\n contact: chansep-dev@example.org");
  clear_table();
  if (!ask_input_file()) return stop_run();
  if (!ask_prefix()) return stop_run();
  if (!ask_columns()) return stop_run();
  ask_scale_factors();
  run_settings.remove_mean = ask_int("\n\n Remove mean from each channel? \n 1=yes 2=no\n", 0);
  ask_and_skip_header_lines();
  bool complete = read_data();
  complete = report_statistics() && complete;
  complete = write_and_list_channel_files() && complete;
  if (parameter_file.error == 0) say(parameter_file_announcement());
  if (complete) {
    say("\n\n Program complete. \n Press any key to exit.");
  } else {
    say("\n\n Program ended with errors: some output files are incomplete (see above). \n Press "
        "any key to exit.");
  }
  wait_for_key();
  return complete ? exit_completed : exit_output_failed;
}

int main() {
  setup_console_output();
  host_advise_large_block(sample_table, sizeof sample_table);
  host_advise_large_block(time_text, sizeof time_text);
  return run_conversion();
}
