#pragma once
// A failed check in a fuzz target: print what broke and abort, which libFuzzer reports as a crash
// and saves the input for replay.

#include <cstdio>
#include <cstdlib>
#include <string>

namespace tulo::fuzz {

[[noreturn]] inline void Fail(const std::string& what) {
  std::fprintf(stderr, "CHECK FAILED: %s\n", what.c_str());
  std::abort();
}

inline void Check(bool ok, const std::string& what) {
  if (!ok) Fail(what);
}

}  // namespace tulo::fuzz
