// The dialogue's answers, read from standard input. Each answer starts where
// the previous one stopped: whitespace, line ends included, is skipped, and
// what an answer leaves unread is what the next prompt reads.
#pragma once

#include <cstdint>
#include <string>

// Reads a whitespace-free token. False at the end of input.
bool read_token(std::string& token);

// Reads a decimal integer, saturated to the 32-bit range. False, with `value`
// unchanged, when no integer begins here.
bool read_integer(std::int32_t& value);

// Reads a decimal real rounded to single precision. False, with `value`
// unchanged, when no real begins here.
bool read_real(float& value);
