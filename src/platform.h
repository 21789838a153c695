// The host seam: console set-up, the key wait and raw file operations. One
// implementation file per host; nothing else in the program is host-specific.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// An open file of the host; `value` is the host's descriptor or handle.
struct host_file {
  std::intptr_t value = -1;
};

// True when standard output is a terminal (a console), not a file or pipe.
bool host_stdout_is_terminal();

// A file name as the terminated string the host wants. False for a name with
// a NUL byte inside: cut there, it would silently name another file.
inline bool to_host_name(std::string_view name, std::string& out) {
  if (name.find('\0') != std::string_view::npos) return false;
  out.assign(name);
  return true;
}

// Waits for one key press read from the terminal itself, raw and without
// echo, and restores the terminal. Returns at once when there is no terminal.
void wait_for_key();

// Opens `name` for reading as it is on disk (no line-end translation).
// A directory does not open. On failure returns false and sets `error`.
bool host_open_read(std::string_view name, host_file& file, int& error);

// Reads up to `size` bytes; returns the count, 0 at the end of the file, or
// -1 with `error` set.
long long host_read(host_file file, char* data, std::size_t size, int& error);

// Creates or replaces `name` for writing text. On failure returns false and
// sets `error`.
bool host_create_text(std::string_view name, host_file& file, int& error);

// Writes all `size` bytes of text, translating line feeds into the host's
// line end. On failure returns false and sets `error`.
bool host_write_text(host_file file, const char* data, std::size_t size, int& error);

// Closes a file. On failure (the data may not have reached the disk) returns
// false and sets `error`.
bool host_close(host_file file, int& error);

// True when `name` exists and is the very file that `file` has open, by
// identity (links and other spellings included), not by name.
bool host_is_same_file(std::string_view name, host_file file);

// The host's text for an error code, e.g. "No space left on device".
std::string host_error_text(int error);

// Hints that `block` is large and will be filled: the host may back it with
// huge pages. Without the hint nothing changes but speed.
void host_advise_large_block(void* block, std::size_t size);

// The host's error code for memory that could not be had.
int host_out_of_memory_error();
