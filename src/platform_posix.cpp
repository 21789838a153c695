// POSIX hosts: file descriptors, termios for the key wait.
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform.h"

namespace {

bool to_c_name(std::string_view name, std::string& out, int& error) {
  if (to_host_name(name, out)) return true;
  error = EINVAL;
  return false;
}

int fd_of(host_file file) {
  return static_cast<int>(file.value);
}

}  // namespace

bool host_stdout_is_terminal() {
  return isatty(STDOUT_FILENO) != 0;
}

void wait_for_key() {
  std::fflush(stdout);
  const int tty = open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (tty < 0) return;
  termios saved{};
  if (tcgetattr(tty, &saved) != 0) {
    close(tty);
    return;
  }
  termios raw = saved;
  raw.c_iflag &= ~static_cast<tcflag_t>(IXON | ICRNL | INLCR | IGNCR | ISTRIP | BRKINT);
  raw.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO | ECHONL | ISIG | IEXTEN);
  raw.c_cc[VMIN] = 1;
  raw.c_cc[VTIME] = 0;
  // TCSANOW keeps a key typed ahead: it ends the wait at once.
  if (tcsetattr(tty, TCSANOW, &raw) == 0) {
    char key = 0;
    while (read(tty, &key, 1) < 0 && errno == EINTR) {
    }
    // An extended key arrives as several bytes; drop the rest of it so it
    // does not spill into whatever reads the terminal next.
    raw.c_cc[VMIN] = 0;
    raw.c_cc[VTIME] = 1;
    if (key == '\033' && tcsetattr(tty, TCSANOW, &raw) == 0) {
      char rest[16];
      while (read(tty, rest, sizeof rest) > 0) {
      }
    }
    tcsetattr(tty, TCSANOW, &saved);
  }
  close(tty);
}

bool host_open_read(std::string_view name, host_file& file, int& error) {
  std::string c_name;
  if (!to_c_name(name, c_name, error)) return false;
  const int fd = open(c_name.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    error = errno;
    return false;
  }
  struct stat info {};
  if (fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
    error = S_ISDIR(info.st_mode) ? EISDIR : errno;
    close(fd);
    return false;
  }
  file.value = fd;
  return true;
}

long long host_read(host_file file, char* data, std::size_t size, int& error) {
  for (;;) {
    const ssize_t got = read(fd_of(file), data, size);
    if (got >= 0) return got;
    if (errno != EINTR) {
      error = errno;
      return -1;
    }
  }
}

bool host_create_text(std::string_view name, host_file& file, int& error) {
  std::string c_name;
  if (!to_c_name(name, c_name, error)) return false;
  const int fd = open(c_name.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) {
    error = errno;
    return false;
  }
  file.value = fd;
  return true;
}

bool host_write_text(host_file file, const char* data, std::size_t size, int& error) {
  while (size > 0) {
    const ssize_t put = write(fd_of(file), data, size);
    if (put < 0) {
      if (errno == EINTR) continue;
      error = errno;
      return false;
    }
    data += put;
    size -= static_cast<std::size_t>(put);
  }
  return true;
}

bool host_close(host_file file, int& error) {
  if (close(fd_of(file)) != 0 && errno != EINTR) {
    error = errno;
    return false;
  }
  return true;
}

bool host_is_same_file(std::string_view name, host_file file) {
  std::string c_name;
  int error = 0;
  if (!to_c_name(name, c_name, error)) return false;
  struct stat named {};
  struct stat open_file {};
  if (stat(c_name.c_str(), &named) != 0) return false;
  if (fstat(fd_of(file), &open_file) != 0) return false;
  return named.st_dev == open_file.st_dev && named.st_ino == open_file.st_ino;
}

std::string host_error_text(int error) {
  return std::strerror(error);
}

void host_advise_large_block(void* block, std::size_t size) {
  // Huge pages spare tens of thousands of page faults on the sample table.
  // Only a hint: without them everything works the same, a little slower.
  // The kernel takes page-aligned ranges; huge pages fill the 2 MiB-aligned
  // stretches inside.
  const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
  const auto base = reinterpret_cast<std::uintptr_t>(block);
  const std::uintptr_t lead = (page - base % page) % page;  // bytes up to the first page
  if (size <= lead + page) return;
  const std::size_t whole = (size - lead) / page * page;
  madvise(static_cast<char*>(block) + lead, whole, MADV_HUGEPAGE);
}

int host_out_of_memory_error() {
  return ENOMEM;
}
