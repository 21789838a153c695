// Buffered text output files whose every failure is kept for the caller.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform.h"

// An output file being written. After the first failure, further writes are
// dropped and the failure is kept, so a caller may check once at close.
struct output_file {
  host_file file;
  std::string name;
  char* buffer = nullptr;  // a fixed block owned by whoever owns the record
  std::size_t used = 0;
  std::size_t capacity = 0;
  bool is_open = false;
  int error = 0;                 // first failure's host error code, 0 if none
  const char* failed_step = "";  // "create", "write" or "close"
};

// Creates or replaces `name`, writing through the record's buffer. On failure
// returns false with the reason in `out`.
bool create_output(output_file& out, std::string_view name);

// Writes the buffer to the file and empties it; a failure is kept in `out`.
void flush_output_buffer(output_file& out);

// Appends text; the buffer goes to the file when it fills.
void write_output(output_file& out, std::string_view text);

// Room for `size` more bytes at the end of the buffer (size <= capacity):
// write into it and then call commit_output.
// Inline: the channel files call it once a line.
inline char* reserve_output(output_file& out, std::size_t size) {
  if (out.capacity - out.used < size) flush_output_buffer(out);
  return out.buffer + out.used;
}
inline void commit_output(output_file& out, char* end) {
  out.used = static_cast<std::size_t>(end - out.buffer);
}

// Writes what is buffered and closes. True when every step succeeded.
bool close_output(output_file& out);

// "cannot write file run1.3: No space left on device", for a failed file.
std::string output_failure_text(const output_file& out);
