// Console output: the program's prompts, reports and messages.
#pragma once

#include <string_view>

// Makes standard output written through on a terminal and block-buffered
// otherwise. Call once, before anything is printed.
void setup_console_output();

// Writes `text` to standard output. On a terminal the text is out before
// this returns; otherwise it joins the block buffer.
void say(std::string_view text);
