// Nanoseconds per value of the two per-value paths: "%14.7e" rendering and
// data-field parsing, on inputs shaped like real recordings.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "number_format.h"

namespace {

// Channel values as the channel files compute them: a float less a float
// mean, times a float factor, in double precision.
std::vector<double> channel_values() {
  std::mt19937_64 rng(1);
  std::uniform_real_distribution<double> unit(-2, 2);
  std::vector<double> v(1 << 16);
  const float mean = 0.0123f;
  const float factor = 0.01f;
  for (double& x : v) {
    x = (static_cast<double>(static_cast<float>(unit(rng))) - mean) * factor;
  }
  return v;
}

void render_channel_values(benchmark::State& state) {
  const std::vector<double> values = channel_values();
  char out[32];
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(render_exponent_14(out, values[i++ & (values.size() - 1)]));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(render_channel_values);

void render_general_path(benchmark::State& state) {
  const std::vector<double> values = channel_values();
  char out[max_render_size];
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        render_to(out, conversion::exponent_14, values[i++ & (values.size() - 1)]));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(render_general_path);

// Fields as recorders write them: "%.7e", "%.6f", and a few D exponents.
std::vector<std::string> data_fields() {
  std::mt19937_64 rng(2);
  std::uniform_real_distribution<double> unit(-2, 2);
  std::vector<std::string> fields(1 << 16);
  char text[64];
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const double v = unit(rng);
    std::snprintf(text, sizeof text, i % 2 == 0 ? "%.7e" : "%.6f", v);
    if (i % 100 == 1) {
      std::snprintf(text, sizeof text, "%.7e", v);
      *std::strchr(text, 'e') = 'D';
    }
    fields[i] = text;
  }
  return fields;
}

// The fields in one line of text, as the reader sees them: each parsed where
// it starts, with the rest of the text after it.
void parse_fields(benchmark::State& state) {
  const std::vector<std::string> fields = data_fields();
  std::string text;
  std::vector<std::size_t> starts;
  for (const std::string& f : fields) {
    starts.push_back(text.size());
    text += f + ' ';
  }
  text += '\n';
  const char* const last = text.data() + text.size();
  std::size_t i = 0;
  float value = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        parse_data_number(text.data() + starts[i++ & (starts.size() - 1)], last, value));
    benchmark::DoNotOptimize(value);
  }
}
BENCHMARK(parse_fields);

void parse_fields_exact_path(benchmark::State& state) {
  const std::vector<std::string> fields = data_fields();
  std::size_t i = 0;
  for (auto _ : state) {
    const std::string& f = fields[i++ & (fields.size() - 1)];
    benchmark::DoNotOptimize(
        parse_number(f.data(), f.data() + f.size(), number_variant::data_field).value);
  }
}
BENCHMARK(parse_fields_exact_path);

}  // namespace

BENCHMARK_MAIN();
