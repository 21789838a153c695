// What is derived from the sample table: sample interval and rate from the
// first and last time, and the channel means.
#pragma once

#include <cstdint>
#include <string>

// Sets sample_interval and sample_rate from the first and last of the
// `line_count` times. False, leaving both at 0, when fewer than two lines
// give no interval.
bool compute_sample_rate(std::int32_t line_count);

// The console lines of the start and end time (empty without a rate).
std::string time_span_text(std::int32_t line_count);

// The sample-rate line, or the line that says there are too few data lines.
std::string sample_rate_text(bool rate_known);

// Sets channel_means[1] to [total_columns - 1]: each channel's mean, summed
// in double precision in line order, when remove_mean is 1 and there is at
// least one line; 0 otherwise.
void compute_channel_means(int total_columns, std::int32_t line_count, std::int32_t remove_mean);

// The console lines of the means (empty when they were not computed).
std::string channel_means_text(int total_columns, std::int32_t line_count,
                               std::int32_t remove_mean);
