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
float channel_means[table_rows];
double sample_interval = 0;
double sample_rate = 0;
name_field output_names[max_channels + 1];
input_file_record input_file;
