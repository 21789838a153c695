#include "statistics.h"

#include "number_format.h"
#include "run_state.h"

bool compute_sample_rate(std::int32_t line_count) {
  sample_interval = 0;
  sample_rate = 0;
  if (line_count < 2) return false;
  const float* const times = sample_table[0];
  sample_interval = (static_cast<double>(times[line_count - 1]) - static_cast<double>(times[0])) /
                    static_cast<double>(line_count - 1);
  sample_rate = 1.0 / sample_interval;
  return true;
}

std::string time_span_text(std::int32_t line_count) {
  if (line_count < 2) return {};
  const float* const times = sample_table[0];
  return "\n start time = " + render(conversion::fixed, times[0]) +
         " \n end   time = " + render(conversion::fixed, times[line_count - 1]) + " \n\n";
}

std::string sample_rate_text(bool rate_known) {
  if (!rate_known) return "\n Too few data lines to find a sample rate. \n\n";
  return "\n sample rate = " + render(conversion::general_14_4, sample_rate) + " samples/sec \n\n";
}

void compute_channel_means(int total_columns, std::int32_t line_count, std::int32_t remove_mean) {
  for (int k = 1; k < total_columns; ++k) channel_means[k] = 0;
  if (remove_mean != 1 || line_count < 1) return;
  // A double sum keeps a million values of 0.1 at a mean of 0.1; a float sum
  // would drift by 1 % and leave a false offset in every value. Each channel
  // is summed in line order, all channels side by side, so that their
  // additions overlap instead of each waiting for the one before.
  double sums[table_rows] = {};
  for (std::int32_t p = 0; p < line_count; ++p) {
    for (int k = 1; k < total_columns; ++k) sums[k] += sample_table[k][p];
  }
  for (int k = 1; k < total_columns; ++k) {
    channel_means[k] = static_cast<float>(sums[k] / line_count);
  }
}

std::string channel_means_text(int total_columns, std::int32_t line_count,
                               std::int32_t remove_mean) {
  if (remove_mean != 1) return {};
  if (line_count < 1) return "\n No data lines: no channel means. \n";
  std::string text;
  for (int k = 1; k < total_columns; ++k) {
    text += " ch=" + std::to_string(k) +
            "   mean=" + render(conversion::general_9_4, channel_means[k]) + " \n";
  }
  return text;
}
