// tulo-calc: the calculator from the command line.

#include <iostream>
#include <string>

#include "cli/Commands.h"

namespace {

const char* kUsage =
    "tulo-calc: properties of water and steam\n"
    "\n"
    "  tulo-calc property ITEM PHASE T_K P_KPA [--units U] [--quality PCT]\n"
    "      Evaluates the calculator of catalogue item ITEM (15..33) at phase code PHASE (0..10),\n"
    "      temperature T_K (kelvin) and pressure P_KPA (kPa absolute), with fresh calculators.\n"
    "      Prints: status (0 valid, 1 not given, 2 out of range), TAB, the value in internal\n"
    "      units (15 significant digits, empty unless status 0), TAB, the grid cell text in the\n"
    "      chosen units. U is SI (default), Imperial, Customary, European or twelve unit numbers\n"
    "      U0,...,U11. PCT is the steam quality in percent for phase 9 (default 0).\n"
    "\n"
    "  tulo-calc --create-config PATH\n"
    "      Writes a fresh configuration file (1032 bytes, all units 1); never overwrites.\n";

}  // namespace

int main(int argc, char** argv) {
  tulo::cli::Args args(argv + 1, argv + argc);
  if (args.empty() || args[0] == "--help" || args[0] == "-h") {
    std::cout << kUsage;
    return args.empty() ? 2 : 0;
  }
  std::string command = args[0];
  tulo::cli::Args rest(args.begin() + 1, args.end());
  if (command == "property") return tulo::cli::PropertyCommand(rest);
  if (command == "--create-config") return tulo::cli::CreateConfigCommand(rest);
  std::cerr << "tulo-calc: unknown command: " << command << "\n" << kUsage;
  return 2;
}
