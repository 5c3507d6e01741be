// tulo-calc: the calculator from the command line.

#include <iostream>
#include <string>

#include "cli/Commands.h"

namespace {

const char* kUsage =
    "tulo-calc: properties of water and steam\n"
    "\n"
    "  tulo-calc [-T VALUE] [-P VALUE] [--units U] [--quality PCT] [--layout spaces|tabs] [--wet] [--fixed]\n"
    "      Calculates the state as the window does: the temperature and then the pressure are typed\n"
    "      (in the chosen units; one of them alone means saturated water), and the text that\n"
    "      \"Copy Results\" would copy is printed (blank-aligned by default). --wet types PCT (default 0)\n"
    "      into the steam quality field and adds the wet-steam grid; --fixed adds the fixed properties.\n"
    "      An input error goes to stderr with exit status 2; so does a value that is not a number.\n"
    "\n"
    "  tulo-calc search --property enthalpy|entropy|density --value V --given temperature|pressure\n"
    "                   --at V [--units U] [--layout spaces|tabs]\n"
    "      The steam search: the state at which the property takes value V with the given quantity\n"
    "      fixed at V (all in the chosen units). Prints the results of the state found, and for wet\n"
    "      steam a last line with the steam quality; exit 3 with the message on stderr when nothing\n"
    "      is found.\n"
    "\n"
    "  Units U: SI (default), Imperial, Customary, European, or twelve unit numbers U0,...,U11\n"
    "      (temperature, pressure, density, enthalpy, entropy, dipole moment, viscosity, heat\n"
    "      capacity, thermal conductivity, surface tension, thermal expansion, compressibility).\n"
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
  if (command == "search") return tulo::cli::SearchCommand(rest);
  if (!command.empty() && command[0] == '-') return tulo::cli::StateCommand(args);
  std::cerr << "tulo-calc: unknown command: " << command << "\n" << kUsage;
  return 2;
}
