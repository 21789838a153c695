#include "console.h"

#include <cstdio>

void say(std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stdout);
}
