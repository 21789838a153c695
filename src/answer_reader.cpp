#include "answer_reader.h"

#include <cstdio>
#include <string>

#include "number_format.h"
#include "run_state.h"

namespace {

std::string& pending = answer_input.pending;
std::size_t& pending_start = answer_input.start;

bool is_space(int c) {
  return c == ' ' || (c >= '\t' && c <= '\r');
}

// The character `offset` places past the first unconsumed one, reading from
// standard input only as far as needed; EOF past the end of input.
int peek(std::size_t offset) {
  while (pending.size() - pending_start <= offset) {
    const int c = std::getc(stdin);
    if (c == EOF) return EOF;
    pending.push_back(static_cast<char>(c));
  }
  return static_cast<unsigned char>(pending[pending_start + offset]);
}

void consume(std::size_t count) {
  pending_start += count;
  if (pending_start == pending.size()) {
    pending.clear();
    pending_start = 0;
  }
}

void skip_whitespace() {
  while (is_space(peek(0))) consume(1);
}

bool may_continue_number(int c, bool real) {
  if (c >= '0' && c <= '9') return true;
  if (c == '+' || c == '-') return true;
  return real && (c == '.' || c == 'e' || c == 'E');
}

// Parses one number from the unconsumed input. Only the characters that
// could extend a number are read ahead, so an answer typed on a terminal
// never waits for a further line.
parse_result next_number(number_variant variant) {
  skip_whitespace();
  const bool real = variant == number_variant::answer_real;
  std::size_t length = 0;
  while (may_continue_number(peek(length), real)) ++length;
  const char* const first = pending.data() + pending_start;
  const parse_result result = parse_number(first, first + length, variant);
  consume(result.used);
  return result;
}

}  // namespace

bool read_token(std::string& token) {
  skip_whitespace();
  if (peek(0) == EOF) return false;
  std::size_t length = 0;
  for (int c = peek(0); c != EOF && !is_space(c); c = peek(length)) ++length;
  token.assign(pending, pending_start, length);
  consume(length);
  return true;
}

bool read_integer(std::int32_t& value) {
  const parse_result r = next_number(number_variant::answer_integer);
  if (!r.found) return false;
  value = static_cast<std::int32_t>(r.value);
  return true;
}

bool read_real(float& value) {
  const parse_result r = next_number(number_variant::answer_real);
  if (!r.found) return false;
  value = static_cast<float>(r.value);
  return true;
}
