#include "cli/CliText.h"

#include "app/UnitsForm.h"
#include "common/NumberReader.h"
#include "common/Text.h"
#include "units/Units.h"

namespace tulo::cli {
namespace {

constexpr std::size_t kShownLength = 40;
constexpr std::size_t kLineLength = 100;

const char* const kStateSynopsis =
    "tulo-calc [-T VALUE] [-P VALUE] [--units U] [--quality PCT] [--wet] [--fixed] [--layout spaces|tabs]";

// Unit texts as the units dialog lists them ("cal/g " without its blank).
std::string ListedUnit(int q, int n) {
  std::string text = UnitTextOf(q, n);
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

std::string QuantityHeading(int q) {
  return std::string("U").append(std::to_string(q)).append(q < 10 ? "  " : " ").append(UnitsForm::kLabels[q]);
}

}  // namespace

std::string StateSynopsis() {
  return kStateSynopsis;
}

std::string UnitNumbersTable() {
  std::string s = PadRight("Quantity", 26) + "No.  Unit\n";
  for (int q = 0; q < kQuantityCount; ++q) {
    for (int n = 1; n <= UnitCount(q); ++n) {
      std::string number = std::to_string(n);
      s += PadRight(n == 1 ? QuantityHeading(q) : "", 26 + 3 - number.size()) + number + "  " +
           ListedUnit(q, n) + "\n";
    }
  }
  return s;
}

std::string UnitNumbersList() {
  std::string s;
  for (int q = 0; q < kQuantityCount; ++q) {
    const std::string indent(6, ' ');
    std::string line = indent + QuantityHeading(q) + ":";
    for (int n = 1; n <= UnitCount(q); ++n) {
      std::string entry = std::string(" ").append(std::to_string(n)).append(" ").append(ListedUnit(q, n));
      if (n < UnitCount(q)) entry += ",";
      if (Utf8Length(line) + Utf8Length(entry) > kLineLength) {
        s += line + "\n";
        line = indent + std::string(8, ' ');
      }
      line += entry;
    }
    s += line + "\n";
  }
  return s;
}

std::string UnknownUnitsText(const std::string& arg) {
  std::string text = std::string("unknown units: ") + Shown(arg) +
                     "\n  valid: SI, Imperial, Customary, European, or twelve unit numbers U0,...,U11:\n" +
                     UnitNumbersList();
  text.pop_back();  // the caller ends the message
  return text;
}

std::string Shown(const std::string& arg) {
  return Utf8Length(arg) > kShownLength ? Utf8Left(arg, kShownLength) + "..." : arg;
}

std::string NumberProblem(const std::string& arg) {
  return std::string(IsNumberText(arg) ? "number out of range: " : "not a number: ").append(Shown(arg));
}

std::string UsageText() {
  std::string text = "tulo-calc: properties of water and steam\n\n  ";
  return text + kStateSynopsis +
         "\n"
         "      Calculates the state as the window does and prints the text that \"Copy Results\"\n"
         "      would copy (blank-aligned by default).\n"
         "      -T VALUE        the temperature, in the temperature unit of U\n"
         "      -P VALUE        the pressure, in the pressure unit of U; one of -T and -P alone means\n"
         "                      saturated water, and one of them is needed\n"
         "      --units U       the units, below (default SI)\n"
         "      --wet           adds the wet-steam grid; the state must be saturated\n"
         "      --quality PCT   the steam quality in percent, 0 to 100 (default 0); implies --wet\n"
         "      --fixed         adds the fixed properties\n"
         "      --layout L      spaces (blank-aligned, the default) or tabs (for spreadsheets)\n"
         "      Exit status 2, with the message on stderr and nothing on stdout: an input error, a\n"
         "      value that is not a number or out of range, no state, --wet for a state that is not\n"
         "      saturated, a quality outside 0 to 100.\n"
         "\n"
         "  tulo-calc search --property P --value V --given Q --at V [--units U] [--layout spaces|tabs]\n"
         "      The steam search: the state at which the property takes its value with the given\n"
         "      quantity held fixed. Prints the results of the state found, and for wet steam a last\n"
         "      line with the steam quality.\n"
         "      --property P    enthalpy, entropy or density\n"
         "      --value V       the value searched for, in the property's unit of U\n"
         "      --given Q       temperature or pressure: the quantity held fixed\n"
         "      --at V          its value, in its unit of U, within the limits of -T or -P\n"
         "      --units U, --layout L   as above\n"
         "      Exit status 2: a value that is not a number (\"Invalid searching parameter.\") or a\n"
         "      fixed value out of range; 3: nothing found (\" Conditions are out of Allowable Range \").\n"
         "\n"
         "  tulo-calc property ITEM PHASE T_K P_KPA [--units U] [--quality PCT]\n"
         "      Evaluates the calculator of catalogue item ITEM (15..33) at phase code PHASE (0..10),\n"
         "      temperature T_K (kelvin) and pressure P_KPA (kPa absolute), with fresh calculators.\n"
         "      Prints: status (0 valid, 1 not given, 2 out of range), TAB, the value in internal\n"
         "      units (15 significant digits, empty unless status 0), TAB, the grid cell text in the\n"
         "      units U. PCT is the steam quality in percent for phase 9 (default 0).\n"
         "\n"
         "  tulo-calc diagram ts|hs|ph|pt --output FILE [-T VALUE] [-P VALUE] [--units U]\n"
         "                    [--standard builtin|iapws]\n"
         "      Draws the T-s, h-s (Mollier), P-h or P-T diagram of the standard (default builtin) in\n"
         "      the units U, with the state given by -T and -P (as above) marked, into FILE: an SVG\n"
         "      drawing or a PNG picture, by its extension. No display is needed.\n"
         "      Exit status 2: an unknown diagram or standard, no --output, another extension, a\n"
         "      state out of range; 1: the file could not be written.\n"
         "\n"
         "  tulo-calc --create-config PATH\n"
         "      Writes a fresh configuration file (1032 bytes, all units 1); never overwrites.\n"
         "  tulo-calc --list-units    prints the unit numbers of every quantity as a table\n"
         "  tulo-calc --version       prints the program's version\n"
         "  tulo-calc --help          prints this text, also after any command\n"
         "\n"
         "  Units U: SI (default), Imperial, Customary, European, or twelve unit numbers U0,...,U11,\n"
         "  one per quantity, separated by commas (1,1,1,1,1,1,1,1,1,1,1,1 is SI):\n" +
         UnitNumbersList() +
         "\n"
         "  Exit status 1: the output could not be written (a full disk, a closed pipe).\n";
}

}  // namespace tulo::cli
