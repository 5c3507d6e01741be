// tulo-calc: the calculator from the command line.

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>

#include "Version.h"
#include "cli/CliText.h"
#include "cli/Commands.h"

namespace {

int Run(const tulo::cli::Args& args) {
  using namespace tulo::cli;
  if (args.empty()) {
    std::cerr << UsageText();
    return 2;
  }
  if (std::find(args.begin(), args.end(), "--help") != args.end() || args[0] == "-h") {
    std::cout << UsageText();
    return 0;
  }
  const std::string& command = args[0];
  if (command == "--version" && args.size() == 1) {
    std::cout << "tulo-calc " << tulo::kVersion << "\n";
    return 0;
  }
  if (command == "--list-units" && args.size() == 1) {
    std::cout << UnitNumbersTable();
    return 0;
  }
  Args rest(args.begin() + 1, args.end());
  if (command == "property") return PropertyCommand(rest);
  if (command == "--create-config") return CreateConfigCommand(rest);
  if (command == "search") return SearchCommand(rest);
  if (command == "point") return PointCommand(rest);
  if (command == "compare") return CompareCommand(rest);
  if (command == "table") return TableCommand(rest);
  // The chart of a process needs the desktop program's Qt libraries.
#ifdef TULO_DIAGRAMS
  const ProcessDrawer drawer = DrawProcessChart;
#else
  const ProcessDrawer drawer = nullptr;
#endif
  if (command == "process") return ProcessCommand(rest, drawer);
  if (command == "cycle") return CycleCommand(rest, drawer);
  if (command == "diagram") {
#ifdef TULO_DIAGRAMS
    return DiagramCommand(rest);
#else
    std::cerr << "tulo-calc: this build has no diagrams (they need the desktop program's Qt libraries)\n";
    return 2;
#endif
  }
  if (!command.empty() && command[0] == '-') return StateCommand(args);
  std::cerr << "tulo-calc: unknown command: " << Shown(command) << "\n" << UsageText();
  return 2;
}

// A result that did not reach its reader is a failure, whatever the command made of it.
// errno is the one the failed write left (the program clears it at start).
int FinishOutput(int status) {
  bool written = static_cast<bool>(std::cout.flush());
  written = std::fflush(stdout) == 0 && written && !std::ferror(stdout);
  if (written) return status;
  int error = errno;
  std::cerr << "tulo-calc: cannot write the output"
            << (error != 0 ? std::string(": ") + std::strerror(error) : "") << "\n";
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  // A reader that has gone away must not end the program unheard: the write fails instead, and
  // the exit status and stderr say that the result was lost.
  std::signal(SIGPIPE, SIG_IGN);
  errno = 0;
  tulo::cli::Args args(argv + 1, argv + argc);
  // A batch run tells its own output failures, and a closed pipe ends it quietly.
  if (!args.empty() && args[0] == "batch" && std::find(args.begin(), args.end(), "--help") == args.end())
    return tulo::cli::BatchCommand(tulo::cli::Args(args.begin() + 1, args.end()));
  return FinishOutput(Run(args));
}
