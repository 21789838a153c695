#include "run_state.h"

#include <algorithm>

bool name_field::assign(std::string_view s) {
  if (s.size() > name_capacity) return false;
  std::copy(s.begin(), s.end(), text);
  text[s.size()] = '\0';
  size = s.size();
  return true;
}

run_settings_record run_settings;
float scale_factors[20] = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
float sample_table[table_rows][max_data_lines];
table_extent_record table_extent;
char time_text[max_data_lines][16];
float channel_means[table_rows];
double sample_interval = 0;
double sample_rate = 0;
name_field output_names[max_channels + 1];
input_file_record input_file;
answer_input_record answer_input;

namespace {

char parameter_buffer[1 << 16];
char channel_buffer[1 << 20];

output_file writing_through(char* buffer, std::size_t capacity) {
  output_file f;
  f.buffer = buffer;
  f.capacity = capacity;
  return f;
}

}  // namespace

output_file parameter_file = writing_through(parameter_buffer, sizeof parameter_buffer);
output_file channel_file = writing_through(channel_buffer, sizeof channel_buffer);

void reset_run_state() {
  run_settings = {};
  std::fill(std::begin(scale_factors), std::end(scale_factors), 1.0f);
  std::fill(std::begin(channel_means), std::end(channel_means), 0.0f);
  sample_interval = 0;
  sample_rate = 0;
  for (name_field& name : output_names) name = {};
  answer_input.pending.clear();
  answer_input.start = 0;
}
