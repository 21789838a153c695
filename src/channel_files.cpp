#include "channel_files.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "number_format.h"
#include "run_state.h"

namespace {

// A line: the time's 16-byte slot, a space, the value and its overshoot.
constexpr std::size_t max_line = 16 + 1 + exponent_14_room;

}  // namespace

void form_output_names(std::string_view prefix) {
  for (int k = 1; k <= max_channels; ++k) {
    output_names[k].assign(std::string(prefix) + "." + std::to_string(k));
  }
}

int channel_file_clashing_with_input(int total_columns) {
  for (int k = 1; k < total_columns; ++k) {
    if (host_is_same_file(output_names[k].view(), input_file.file)) return k;
  }
  return 0;
}

void render_time_column(std::int32_t line_count) {
  const float* const times = sample_table[0];
  for (std::int32_t p = 0; p < line_count; ++p) {
    char text[exponent_14_room];
    const auto length = static_cast<std::size_t>(render_exponent_14(text, times[p]) - text);
    std::memcpy(time_text[p], text, 15);
    time_text[p][15] = static_cast<char>(length);
  }
}

bool write_channel_file(int channel, std::int32_t line_count) {
  output_file& out = channel_file;
  if (!create_output(out, output_names[channel].view())) return false;
  const float* const values = sample_table[channel];
  const double mean = channel_means[channel];
  const double factor = scale_factors[channel];
  // Lines go into the buffer a block at a time, as many as surely fit, so
  // that the loop keeps its write position in a register.
  const auto block_lines = static_cast<std::int32_t>(out.capacity / max_line);
  for (std::int32_t p = 0; p < line_count;) {
    const std::int32_t end = p + std::min(block_lines, line_count - p);
    char* c = reserve_output(out, static_cast<std::size_t>(end - p) * max_line);
    for (; p < end; ++p) {
      std::memcpy(c, time_text[p], 16);
      c += time_text[p][15];
      *c++ = ' ';
      c = render_exponent_14(c, (static_cast<double>(values[p]) - mean) * factor);
      *c++ = '\n';
    }
    commit_output(out, c);
  }
  return close_output(out);
}
