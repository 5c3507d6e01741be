#pragma once
// Runs tulo-calc and captures what it prints and its exit status.

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace tulo::testing {

struct CalcRun {
  int status = -1;
  std::string out;
  std::string err;
};

inline CalcRun RunCalc(const std::string& args) {
  static int counter = 0;
  std::filesystem::path errFile =
      std::filesystem::temp_directory_path() /
      ("tulo-calc-err-" + std::to_string(::getpid()) + "-" + std::to_string(++counter));
  std::string command = std::string(TULO_CALC_PATH) + " " + args + " 2>" + errFile.string();
  CalcRun run;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return run;
  std::array<char, 4096> buf;
  std::size_t n;
  while ((n = std::fread(buf.data(), 1, buf.size(), pipe)) > 0) run.out.append(buf.data(), n);
  int raw = pclose(pipe);
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  std::ifstream err(errFile);
  std::stringstream ss;
  ss << err.rdbuf();
  run.err = ss.str();
  std::filesystem::remove(errFile);
  return run;
}

}  // namespace tulo::testing
