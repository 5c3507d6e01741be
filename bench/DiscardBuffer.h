#pragma once
// An output buffer for the batch benchmarks: counts the output and throws it away, as a fast
// pipe would.

#include <cstddef>
#include <streambuf>

class DiscardBuffer final : public std::streambuf {
 public:
  std::size_t bytes = 0;

 protected:
  std::streamsize xsputn(const char*, std::streamsize n) override {
    bytes += static_cast<std::size_t>(n);
    return n;
  }
  int_type overflow(int_type c) override {
    ++bytes;
    return traits_type::not_eof(c);
  }
};
