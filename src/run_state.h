// The records shared by the stages of a run. Every piece of process-wide
// state lives here, sized for the largest case, and lasts for the whole run.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "output_file.h"
#include "platform.h"

// Limits of the fixed records.
inline constexpr int max_data_lines = 1000000;
inline constexpr int table_rows = 18;
inline constexpr int max_total_columns = 17;
inline constexpr int max_channels = 16;
inline constexpr std::size_t name_capacity = 259;   // characters of a file name
inline constexpr std::size_t prefix_capacity = 23;  // characters of the output prefix

// A file name of at most name_capacity characters held in place.
struct name_field {
  char text[name_capacity + 1] = {};
  std::size_t size = 0;

  // Replaces the content; false (content unchanged) when `s` is too long.
  bool assign(std::string_view s);
  std::string_view view() const { return {text, size}; }
};

// The answers of the dialogue. Integers are signed 32-bit, as typed.
struct run_settings_record {
  name_field prefix;
  std::int32_t accelerometer_columns = 0;  // A
  std::int32_t total_columns = 0;          // N = A + 1, once accepted 2..17
  std::int32_t apply_scale = 0;            // 1 means yes
  std::int32_t input_unit = 0;             // 2 means millivolts
  std::int32_t scale_format = 0;           // 1 means G per volt
  std::int32_t remove_mean = 0;            // 1 means yes
  std::int32_t header_count = 0;           // H
  std::int32_t line_count = 0;             // n
};

extern run_settings_record run_settings;

// Multipliers that turn channel k's value (less its mean) into G; 1.0 unless scaled.
extern float scale_factors[20];

// Row 0 holds the times, row k channel k; column p is data line p.
extern float sample_table[table_rows][max_data_lines];

// The part of the sample table that may hold non-zero values: rows below
// filled_rows, columns below filled_lines. Everything else is 0.
struct table_extent_record {
  int filled_rows = 0;
  std::int32_t filled_lines = 0;
};

extern table_extent_record table_extent;

// "%14.7e" of each time, rendered once for all the channel files: the text
// from byte 0, its length in byte 15.
extern char time_text[max_data_lines][16];

// Channel means indexed by channel; 0 unless mean removal was chosen.
extern float channel_means[table_rows];

extern double sample_interval;
extern double sample_rate;

// Slot 0 the input file's name, slots 1 to 16 the channel files' names.
extern name_field output_names[max_channels + 1];

// Characters taken from standard input but not yet consumed by an answer.
struct answer_input_record {
  std::string pending;
  std::size_t start = 0;
};

extern answer_input_record answer_input;

// The open input file and its read buffer.
struct input_file_record {
  host_file file;
  bool is_open = false;
  char* buffer = nullptr;  // holds at least one whole line; grows for longer lines
  std::size_t capacity = 0;
  std::size_t begin = 0;  // first unread byte
  std::size_t end = 0;    // one past the last byte read from the file
  bool at_end = false;    // the file has no more bytes
  bool failed = false;    // a read error ended reading
  int error = 0;          // its host error code
};

extern input_file_record input_file;

// The parameter file, open from the prefix question to the statistics.
extern output_file parameter_file;

// The channel file being written; one is open at a time.
extern output_file channel_file;

// Puts the dialogue's records back to their initial values, so that a run
// starts the same whatever ran before it in this process. Files must be closed.
void reset_run_state();
