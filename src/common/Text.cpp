#include "common/Text.h"

#include <charconv>

namespace tulo {
namespace {
bool IsContinuation(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}
}  // namespace

std::size_t Utf8Length(std::string_view text) {
  std::size_t n = 0;
  for (char c : text)
    if (!IsContinuation(c)) ++n;
  return n;
}

std::string Utf8Left(std::string_view text, std::size_t n) {
  std::size_t chars = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (!IsContinuation(text[i])) {
      if (chars == n) return std::string(text.substr(0, i));
      ++chars;
    }
  }
  return std::string(text);
}

std::string PadRight(std::string_view text, std::size_t n) {
  std::string out(text);
  std::size_t len = Utf8Length(text);
  if (len < n) out.append(n - len, ' ');
  return out;
}

std::string GeneralText(long double x, int digits) {
  char buf[64];
  return {buf, std::to_chars(buf, buf + sizeof buf, x, std::chars_format::general, digits).ptr};
}

}  // namespace tulo
