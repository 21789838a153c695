#include "statistics.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "input_reader.h"
#include "run_state.h"

namespace {

void fill_row(int row, const std::vector<float>& values) {
  for (std::size_t p = 0; p < values.size(); ++p) sample_table[row][p] = values[p];
}

TEST(sample_rate, table_of_time_columns) {
  struct rate_case {
    const char* what;
    std::vector<float> times;
    const char* console;
  };
  const rate_case cases[] = {
      {"worked example",
       {0, 0.0005f, 0.001f, 0.0015f},
       "\n start time = 0.000000 \n end   time = 0.001500 \n\n"
       "\n sample rate =           2000 samples/sec \n\n"},
      {"two lines",
       {0, 0.5f},
       "\n start time = 0.000000 \n end   time = 0.500000 \n\n"
       "\n sample rate =              2 samples/sec \n\n"},
      {"decreasing times",
       {3, 2, 1},
       "\n start time = 3.000000 \n end   time = 1.000000 \n\n"
       "\n sample rate =             -1 samples/sec \n\n"},
      {"equal first and last times",
       {1, 5, 1},
       "\n start time = 1.000000 \n end   time = 1.000000 \n\n"
       "\n sample rate =            inf samples/sec \n\n"},
      {"one line", {7}, "\n Too few data lines to find a sample rate. \n\n"},
      {"no lines", {}, "\n Too few data lines to find a sample rate. \n\n"},
  };
  for (const auto& t : cases) {
    SCOPED_TRACE(t.what);
    clear_table();
    sample_table[0][0] = 99;  // a time outside the filled lines must not be used
    sample_table[0][1] = 99;
    fill_row(0, t.times);
    const auto n = static_cast<std::int32_t>(t.times.size());
    const bool known = compute_sample_rate(n);
    EXPECT_EQ(known, n >= 2);
    EXPECT_EQ(time_span_text(n) + sample_rate_text(known), t.console);
    if (!known) {
      EXPECT_EQ(sample_rate, 0.0);
    }
  }
}

TEST(sample_rate, interval_uses_the_stored_single_precision_times) {
  clear_table();
  fill_row(0, {0, 0.0005f, 0.001f, 0.0015f});
  ASSERT_TRUE(compute_sample_rate(4));
  EXPECT_EQ(sample_interval, static_cast<double>(0.0015f) / 3);
  EXPECT_EQ(sample_rate, 1.0 / (static_cast<double>(0.0015f) / 3));
}

TEST(channel_means, table_of_channels) {
  struct mean_case {
    const char* what;
    std::vector<float> values;
    float mean;
    const char* console;
  };
  const std::vector<float> million(1000000, 0.1f);
  const mean_case cases[] = {
      {"worked example", {0.010f, 0.030f, -0.010f, 0.010f}, 0.01f, " ch=1   mean=     0.01 \n"},
      {"all ones", std::vector<float>(1000, 1.0f), 1.0f, " ch=1   mean=        1 \n"},
      {"seven values of 0.1", std::vector<float>(7, 0.1f), 0.1f, " ch=1   mean=      0.1 \n"},
      {"a million values of 0.1", million, 0.1f, " ch=1   mean=      0.1 \n"},
      {"one line", {-2.5f}, -2.5f, " ch=1   mean=     -2.5 \n"},
  };
  for (const auto& t : cases) {
    SCOPED_TRACE(t.what);
    clear_table();
    fill_row(1, t.values);
    const auto n = static_cast<std::int32_t>(t.values.size());
    compute_channel_means(2, n, 1);
    EXPECT_EQ(channel_means[1], t.mean);
    EXPECT_EQ(channel_means_text(2, n, 1), t.console);
  }
}

TEST(channel_means, only_when_asked_and_only_with_data) {
  clear_table();
  fill_row(1, {4, 6});
  fill_row(2, {1, 3});
  compute_channel_means(3, 2, 2);
  EXPECT_EQ(channel_means[1], 0.0f);
  EXPECT_EQ(channel_means_text(3, 2, 2), "");
  compute_channel_means(3, 2, 1);
  EXPECT_EQ(channel_means_text(3, 2, 1), " ch=1   mean=        5 \n ch=2   mean=        2 \n");
  compute_channel_means(3, 0, 1);
  EXPECT_EQ(channel_means[1], 0.0f);
  EXPECT_EQ(channel_means_text(3, 0, 1), "\n No data lines: no channel means. \n");
}

}  // namespace
