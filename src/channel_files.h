// The channel files, prefix.1 to prefix.16: on each line the time and the
// channel's value less its mean, times its scale factor.
#pragma once

#include <cstdint>
#include <string_view>

// Fills output_names[1..16] with the prefix and ".1" to ".16".
void form_output_names(std::string_view prefix);

// The first channel, from 1 to total_columns - 1, whose file name is the
// input file itself; 0 when there is none.
int channel_file_clashing_with_input(int total_columns);

// Renders the time column into time_text, once for all channel files.
void render_time_column(std::int32_t line_count);

// Writes channel file `channel` with `line_count` lines through the
// channel_file record; render_time_column must have run. False when it could not be created,
// written or closed; the reason is then in channel_file.
bool write_channel_file(int channel, std::int32_t line_count);
