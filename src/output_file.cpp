#include "output_file.h"

#include <algorithm>
#include <cstring>

namespace {

void fail(output_file& out, const char* step, int error) {
  if (out.error != 0) return;
  out.error = error;
  out.failed_step = step;
}

}  // namespace

void flush_output_buffer(output_file& out) {
  if (out.used == 0) return;
  int error = 0;
  if (out.error == 0 && !host_write_text(out.file, out.buffer, out.used, error)) {
    fail(out, "write", error);
  }
  out.used = 0;
}

bool create_output(output_file& out, std::string_view name) {
  out.name.assign(name);
  out.used = 0;
  out.error = 0;
  out.failed_step = "";
  int error = 0;
  if (!host_create_text(name, out.file, error)) {
    fail(out, "create", error);
    return false;
  }
  out.is_open = true;
  return true;
}

void write_output(output_file& out, std::string_view text) {
  while (!text.empty()) {
    if (out.used == out.capacity) flush_output_buffer(out);
    const std::size_t room = std::min(out.capacity - out.used, text.size());
    std::memcpy(out.buffer + out.used, text.data(), room);
    out.used += room;
    text.remove_prefix(room);
  }
}

bool close_output(output_file& out) {
  if (!out.is_open) return out.error == 0;
  flush_output_buffer(out);
  out.is_open = false;
  int error = 0;
  if (!host_close(out.file, error)) fail(out, "close", error);
  return out.error == 0;
}

std::string output_failure_text(const output_file& out) {
  return std::string("cannot ") + out.failed_step + " file " + out.name + ": " +
         host_error_text(out.error);
}
