#include "input_reader.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "number_format.h"
#include "run_state.h"

namespace {

constexpr std::size_t initial_buffer = 1 << 20;

bool is_space(char c) {
  return c == ' ' || (c >= '\t' && c <= '\r');
}

const char* skip_space(const char* p, const char* last) {
  while (p != last && is_space(*p)) ++p;
  return p;
}

const char* skip_field(const char* p, const char* last) {
  while (p != last && !is_space(*p)) ++p;
  return p;
}

// The start of the field after `p`, which is inside a field or at its end;
// `last` when the line has no more fields.
const char* next_field(const char* p, const char* last) {
  // Fields are mostly separated by one blank or tab; every byte above the
  // blank starts a field.
  const auto separator = static_cast<unsigned char>(p[0]);
  if (last - p >= 2 && (separator == ' ' || separator == '\t') &&
      static_cast<unsigned char>(p[1]) > ' ') {
    return p + 1;
  }
  return skip_space(skip_field(p, last), last);
}

// Moves the unread bytes to the front, grows the buffer when they fill it,
// and reads more from the file. False when nothing more can come.
bool refill() {
  input_file_record& in = input_file;
  if (in.at_end) return false;
  const std::size_t unread = in.end - in.begin;
  if (in.begin > 0) {
    std::memmove(in.buffer, in.buffer + in.begin, unread);
    in.begin = 0;
    in.end = unread;
  }
  if (in.end == in.capacity) {
    const std::size_t grown = in.capacity * 2;
    char* const bigger = static_cast<char*>(std::realloc(in.buffer, grown));
    if (bigger == nullptr) {
      in.at_end = true;
      in.failed = true;
      in.error = host_out_of_memory_error();
      return false;
    }
    in.buffer = bigger;
    in.capacity = grown;
  }
  const long long got = host_read(in.file, in.buffer + in.end, in.capacity - in.end, in.error);
  if (got <= 0) {
    in.at_end = true;
    in.failed = got < 0;
    return false;
  }
  in.end += static_cast<std::size_t>(got);
  return true;
}

}  // namespace

// Only the filled part can be non-zero: the rest is static storage that was
// never written, and leaving it alone spares touching up to 72 MB.
void clear_table() {
  for (int row = 0; row < table_extent.filled_rows; ++row) {
    std::memset(sample_table[row], 0,
                sizeof(float) * static_cast<std::size_t>(table_extent.filled_lines));
  }
  table_extent = {};
}

bool open_input_file(std::string_view name, int& error) {
  input_file_record& in = input_file;
  if (!host_open_read(name, in.file, error)) return false;
  if (in.buffer == nullptr) {
    in.buffer = static_cast<char*>(std::malloc(initial_buffer));
    if (in.buffer == nullptr) {
      host_close(in.file, error);
      error = host_out_of_memory_error();
      return false;
    }
    in.capacity = initial_buffer;
  }
  in.begin = in.end = 0;
  in.at_end = in.failed = false;
  in.is_open = true;
  return true;
}

bool read_line(std::string_view& line) {
  input_file_record& in = input_file;
  if (!in.is_open) return false;
  std::size_t scanned = 0;  // bytes of this line already searched for a line feed
  for (;;) {
    const char* const start = in.buffer + in.begin;
    const std::size_t available = in.end - in.begin;
    const void* const feed = std::memchr(start + scanned, '\n', available - scanned);
    if (feed != nullptr) {
      const auto length = static_cast<std::size_t>(static_cast<const char*>(feed) - start) + 1;
      line = {start, length};
      in.begin += length;
      return true;
    }
    scanned = available;
    if (!refill()) {
      if (in.end == in.begin) return false;
      line = {in.buffer + in.begin, in.end - in.begin};
      in.begin = in.end;
      return true;
    }
  }
}

std::int32_t read_header_lines(std::int32_t count, void (*echo)(std::int32_t, std::string_view)) {
  std::int32_t read = 0;
  std::string_view line;
  while (read < count && read_line(line)) {
    echo(read, line);
    ++read;
  }
  return read;
}

data_read_result read_data_lines(int total_columns) {
  data_read_result result;
  const auto columns = static_cast<std::size_t>(std::clamp(total_columns, 0, max_total_columns));
  std::string_view line;
  std::int32_t p = 0;
  while (read_line(line)) {
    const char* const last = line.data() + line.size();
    // Numbers may be parsed against the end of what was read rather than
    // the end of the line: none can run past the line feed that ends it.
    const char* const read_end = input_file.buffer + input_file.end;
    const char* c = skip_space(line.data(), last);
    if (c == last) continue;  // a blank line is not a data line
    if (p == max_data_lines) {
      result.more_than_limit = true;
      break;
    }
    c = skip_field(c, last);  // the index
    std::size_t i = 0;
    for (; i < columns; ++i) {
      c = next_field(c, last);
      if (c == last) break;
      c = parse_data_number(c, read_end, sample_table[i][p]);
    }
    // Fields the line lacks keep the previous line's values, 0 on the first.
    for (; i < columns; ++i) sample_table[i][p] = p > 0 ? sample_table[i][p - 1] : 0.0f;
    ++p;
  }
  result.line_count = p;
  table_extent.filled_rows = std::max(table_extent.filled_rows, static_cast<int>(columns));
  table_extent.filled_lines = std::max(table_extent.filled_lines, p);
  return result;
}

bool input_read_failed() {
  return input_file.failed;
}

int input_read_error() {
  return input_file.error;
}

void close_input() {
  input_file_record& in = input_file;
  if (!in.is_open) return;
  int error = 0;
  host_close(in.file, error);
  in.is_open = false;
}
