// Windows hosts: Win32 handles, the console input buffer for the key wait.
// Output files are text files: each line feed is written as CR LF.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "platform.h"

namespace {

bool to_c_name(std::string_view name, std::string& out, int& error) {
  if (to_host_name(name, out)) return true;
  error = ERROR_INVALID_NAME;
  return false;
}

HANDLE handle_of(host_file file) {
  return reinterpret_cast<HANDLE>(file.value);
}

int last_error() {
  return static_cast<int>(GetLastError());
}

bool is_modifier_key(WORD key) {
  switch (key) {
    case VK_SHIFT:
    case VK_CONTROL:
    case VK_MENU:
    case VK_LSHIFT:
    case VK_RSHIFT:
    case VK_LCONTROL:
    case VK_RCONTROL:
    case VK_LMENU:
    case VK_RMENU:
    case VK_LWIN:
    case VK_RWIN:
    case VK_CAPITAL:
    case VK_NUMLOCK:
    case VK_SCROLL:
      return true;
    default:
      return false;
  }
}

bool write_all(HANDLE file, const char* data, std::size_t size, int& error) {
  while (size > 0) {
    const DWORD chunk = size > (1u << 30) ? (1u << 30) : static_cast<DWORD>(size);
    DWORD put = 0;
    if (!WriteFile(file, data, chunk, &put, nullptr)) {
      error = last_error();
      return false;
    }
    data += put;
    size -= put;
  }
  return true;
}

}  // namespace

bool host_stdout_is_terminal() {
  DWORD mode = 0;
  return GetConsoleMode(GetStdHandle(STD_OUTPUT_HANDLE), &mode) != 0;
}

void wait_for_key() {
  std::fflush(stdout);
  const HANDLE in =
      CreateFileA("CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                  nullptr, OPEN_EXISTING, 0, nullptr);
  if (in == INVALID_HANDLE_VALUE) return;
  DWORD saved = 0;
  if (!GetConsoleMode(in, &saved)) {
    CloseHandle(in);
    return;
  }
  // Raw: no line editing, no echo, and Ctrl+C arrives as a key.
  SetConsoleMode(in, saved & ~static_cast<DWORD>(ENABLE_LINE_INPUT | ENABLE_ECHO_INPUT |
                                                 ENABLE_PROCESSED_INPUT));
  for (;;) {
    INPUT_RECORD record{};
    DWORD got = 0;
    if (!ReadConsoleInputA(in, &record, 1, &got) || got == 0) break;
    if (record.EventType != KEY_EVENT || !record.Event.KeyEvent.bKeyDown) continue;
    if (is_modifier_key(record.Event.KeyEvent.wVirtualKeyCode)) continue;
    break;  // a character or an extended key
  }
  SetConsoleMode(in, saved);
  CloseHandle(in);
}

bool host_open_read(std::string_view name, host_file& file, int& error) {
  std::string c_name;
  if (!to_c_name(name, c_name, error)) return false;
  // Without FILE_FLAG_BACKUP_SEMANTICS a directory does not open.
  const HANDLE h = CreateFileA(c_name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                               nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    error = last_error();
    return false;
  }
  file.value = reinterpret_cast<std::intptr_t>(h);
  return true;
}

long long host_read(host_file file, char* data, std::size_t size, int& error) {
  const DWORD chunk = size > (1u << 30) ? (1u << 30) : static_cast<DWORD>(size);
  DWORD got = 0;
  if (!ReadFile(handle_of(file), data, chunk, &got, nullptr)) {
    if (GetLastError() == ERROR_BROKEN_PIPE) return 0;
    error = last_error();
    return -1;
  }
  return got;
}

bool host_create_text(std::string_view name, host_file& file, int& error) {
  std::string c_name;
  if (!to_c_name(name, c_name, error)) return false;
  const HANDLE h = CreateFileA(c_name.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                               CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    error = last_error();
    return false;
  }
  file.value = reinterpret_cast<std::intptr_t>(h);
  return true;
}

bool host_write_text(host_file file, const char* data, std::size_t size, int& error) {
  // Text mode: every line feed goes out as CR LF, every other byte as it is.
  static char translated[1 << 17];
  std::size_t used = 0;
  for (std::size_t i = 0; i < size; ++i) {
    if (used + 2 > sizeof translated) {
      if (!write_all(handle_of(file), translated, used, error)) return false;
      used = 0;
    }
    if (data[i] == '\n') translated[used++] = '\r';
    translated[used++] = data[i];
  }
  return write_all(handle_of(file), translated, used, error);
}

bool host_close(host_file file, int& error) {
  if (!CloseHandle(handle_of(file))) {
    error = last_error();
    return false;
  }
  return true;
}

bool host_is_same_file(std::string_view name, host_file file) {
  std::string c_name;
  int error = 0;
  if (!to_c_name(name, c_name, error)) return false;
  const HANDLE named =
      CreateFileA(c_name.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                  nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (named == INVALID_HANDLE_VALUE) return false;
  BY_HANDLE_FILE_INFORMATION a{};
  BY_HANDLE_FILE_INFORMATION b{};
  const bool known =
      GetFileInformationByHandle(named, &a) && GetFileInformationByHandle(handle_of(file), &b);
  CloseHandle(named);
  return known && a.dwVolumeSerialNumber == b.dwVolumeSerialNumber &&
         a.nFileIndexHigh == b.nFileIndexHigh && a.nFileIndexLow == b.nFileIndexLow;
}

std::string host_error_text(int error) {
  char text[512] = {};
  const DWORD size =
      FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                     static_cast<DWORD>(error), 0, text, sizeof text, nullptr);
  std::string s(text, size);
  while (!s.empty() &&
         (s.back() == '\n' || s.back() == '\r' || s.back() == '.' || s.back() == ' ')) {
    s.pop_back();
  }
  if (s.empty()) s = "error " + std::to_string(error);
  return s;
}

int host_out_of_memory_error() {
  return ERROR_NOT_ENOUGH_MEMORY;
}

void host_advise_large_block(void*, std::size_t) {}
