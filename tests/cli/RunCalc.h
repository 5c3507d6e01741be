#pragma once
// Runs tulo-calc and captures what it prints and its exit status.

#include <sys/wait.h>
#include <unistd.h>

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

// `shell` runs before tulo-calc in the same shell (limits, traps).
inline CalcRun RunCalc(const std::string& args, const std::string& shell = "") {
  static int counter = 0;
  std::filesystem::path errFile =
      std::filesystem::temp_directory_path() /
      ("tulo-calc-err-" + std::to_string(::getpid()) + "-" + std::to_string(++counter));
  std::string command = shell + std::string(TULO_CALC_PATH) + " " + args + " 2>" + errFile.string();
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

// tulo-calc with its stdout on a pipe whose reading end is already closed.
inline CalcRun RunIntoClosedPipe(const std::string& args) {
  CalcRun run;
  int fds[2];
  if (pipe(fds) != 0) return run;
  close(fds[0]);
  const std::string errFile =
      (std::filesystem::temp_directory_path() / ("tulo-calc-pipe-" + std::to_string(getpid()))).string();
  const std::string command = std::string(TULO_CALC_PATH) + " " + args + " 2>" + errFile;
  pid_t child = fork();
  if (child == 0) {
    dup2(fds[1], 1);
    execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  close(fds[1]);
  int raw = 0;
  waitpid(child, &raw, 0);
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  std::stringstream err;
  err << std::ifstream(errFile).rdbuf();
  run.err = err.str();
  std::filesystem::remove(errFile);
  return run;
}

}  // namespace tulo::testing
