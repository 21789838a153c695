#include "console.h"

#include <cstdio>

#include "platform.h"

void setup_console_output() {
  if (host_stdout_is_terminal()) {
    std::setvbuf(stdout, nullptr, _IONBF, 0);
  } else {
    static char block[1 << 16];
    std::setvbuf(stdout, block, _IOFBF, sizeof block);
  }
}

void say(std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stdout);
}
