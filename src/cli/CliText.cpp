#include "cli/CliText.h"

#include "app/UnitsForm.h"
#include "common/NumberReader.h"
#include "common/Text.h"
#include "props/Catalogue.h"
#include "results/Standards.h"
#include "units/Units.h"

namespace tulo::cli {
namespace {

constexpr std::size_t kShownLength = 40;
constexpr std::size_t kLineLength = 100;

const char* const kStateSynopsis =
    "tulo-calc [-T VALUE] [-P VALUE] [--enthalpy VALUE] [--entropy VALUE] [--quality PCT] [--units U]\n"
    "            [--standard S] [--wet] [--fixed] [--layout spaces|tabs]";

const char* const kPointSynopsis =
    "tulo-calc point NAME=VALUE NAME=VALUE [--standard S] [--units U] [--items LIST]";

const char* const kTableSynopsis =
    "tulo-calc table saturation|isobar|isotherm [--by temperature|pressure] --from A --to B\n"
    "            (--step S | --rows N) [--at V] [--items LIST] [--format text|csv|tsv|json]\n"
    "            [--units U] [--standard builtin|iapws|iapws95]";

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

std::string PointSynopsis() {
  return kPointSynopsis;
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

std::string UnknownStandardText(const std::string& arg) {
  std::string text = "unknown standard: " + Shown(arg) + " (";
  const std::span<const StandardEntry> all = Standards();
  for (std::size_t i = 0; i < all.size(); ++i)
    text.append(i == 0 ? "" : i + 1 == all.size() ? " or " : ", ").append(all[i].key);
  return text + ")";
}

std::string BatchItemsList() {
  const std::string indent(22, ' ');
  std::string s;
  std::string line = indent;
  auto add = [&](const std::string& entry) {
    if (line.size() > indent.size() && line.size() + 1 + entry.size() > kLineLength) {
      s += line + "\n";
      line = indent;
    }
    if (line.size() > indent.size()) line += ' ';
    line += entry;
  };
  for (Item item : VariableItems()) add(ItemKey(item) + (item == VariableItems().back() ? "" : ","));
  s += line + "\n";
  return s + indent + "or 15 to 33, 36 to 41; h, s, u, rho, v, cp, cv, mu, nu, lambda, sigma, w, pr,\n" +
         indent + "z, psat, tsat; speed_of_sound and the items after it with iapws only\n";
}

// The batch command's part of the help.
std::string BatchUsageText() {
  return std::string(
      "  tulo-calc batch [FILE|-] [--format csv|tsv|json] [--items LIST] [--units U]\n"
      "                  [--standard builtin|iapws|iapws95] [--threads N] [--columns MAP] [--keep LIST]\n"
      "                  [--saturated] [--decimal-comma]\n"
      "      Calculates one state per row of a CSV or TSV file (stdin when it is - or not given)\n"
      "      as the window does, on every core, and writes one row per input row in input order\n"
      "      (empty lines, and rows of nothing but blanks and commas, are skipped: no row).\n"
      "      Input: a header row with the columns T (or temperature) and P (or pressure), and\n"
      "      optionally x: the steam quality in percent (a column named Quality, as plant\n"
      "      historians write Good/Bad, is no steam quality). Names are read without case.\n"
      "      Or two columns of another input pair, one pair per file: T and x, P and x, P and h\n"
      "      (or enthalpy), P and s (or entropy), h and s, T and h, T and s; other input columns\n"
      "      (T, P and h, or h alone) are refused with exit status 2.\n"
      "      Separated by tabs when the first line has a tab, by commas when it has a comma, by\n"
      "      semicolons when it has only semicolons (numbers then have a decimal comma).\n"
      "      Values in the units of U, or in the unit in brackets after a column's name, which\n"
      "      wins over U: \"T [degC]\", \"P [bar]\", \"P [barg]\" (gauge: atmospheric pressure,\n"
      "      101.325 kPa, added), \"x [%]\". Temperature: K, degC, \u00B0C, C, degF, \u00B0F, F, R;\n"
      "      pressure: kPa, MPa, Pa, bar, mbar, atm, psi, inH2O, inHg, mmHg, kgf/cm2, lbf/ft2,\n"
      "      absolute, or gauge with g, (g) or gauge after them (barg, psig, bar(g)); enthalpy:\n"
      "      kJ/kg, Btu/lb, cal/g, Chu/lb, kcal/kg, kJ/kmol; entropy: kJ/kg.K (or kJ/(kg K)),\n"
      "      Btu/lb.F, cal/g.C, Chu/lb.C, kcal/kg.C, kJ/kmol.K; an unknown unit is refused with\n"
      "      exit status 2. A blank T or P is missing: the row's status is \"no temperature\" or\n"
      "      \"no pressure\" and it has no values; with a quality column or --saturated one of\n"
      "      them alone means saturated at the other, as in the window.\n"
      "      Output columns: the kept columns (--keep), condition, T, P (the state's, the\n"
      "      saturated one's other quantity included, in the units of U), then per item: ITEM for\n"
      "      single-phase states, ITEM_liquid and ITEM_vapour for saturated ones (below the\n"
      "      triple point _liquid holds the solid); with a quality column, ITEM_wet for the items\n"
      "      of the wet-steam grid; status last. For another pair: the kept columns, condition,\n"
      "      T, P, x (the steam quality in percent; empty for a single phase), then one column\n"
      "      per item, ITEM: the state's value, wet steam mixed at x for a wet state; status last.\n"
      "      A blank input of such a pair is missing (\"no enthalpy\"); a pair without a state has\n"
      "      the message of why in the status and no values.\n"
      "      Values are plain numbers in the units of U with every stored digit: the shortest text\n"
      "      that reads back as the value (a double for iapws, a 12-digit real for builtin). A\n"
      "      cell is empty when the phase has no such property, and when the value is out of\n"
      "      range: the status then names its column (\"Out of Range: viscosity_vapour\").\n"
      "      The status is empty for a good row and holds the message otherwise: the window's\n"
      "      message for the input, a quality for a state that is not saturated, a record that\n"
      "      could not be read (wrong number of fields, too long), a missing T or P.\n"
      "      --format F      csv (the default), tsv, or json: an array of objects, one a line,\n"
      "                      numbers as numbers and empty cells as null\n"
      "      --items LIST    items separated by commas (default: every row the results grid\n"
      "                      shows for some state in the standard); names, codes or symbols:\n" +
      BatchItemsList() +
      "      --units U       the units, below (default SI)\n"
      "      --standard S    builtin (the default), iapws or iapws95\n"
      "      --threads N     worker threads, 1 to 256 (default: one per core); at most 32 work\n"
      "                      at once, which bounds the memory\n"
      "      --columns MAP   the input columns by name, in place of T, P, h, s and x:\n"
      "                      --columns T=TT101,P=PT101,x=QX101 or --columns P=PT101,h=H101\n"
      "      --keep LIST     columns copied as read in front of the results (a timestamp, a tag),\n"
      "                      names separated by commas, or all: every column that is no input\n"
      "      --saturated     a blank T or P means saturated at the other, without a quality column\n"
      "      --decimal-comma\n"
      "                      input and output numbers have a decimal comma (a point in the input\n"
      "                      is then no number); csv is then separated by semicolons, json keeps\n"
      "                      its points. Without it the output has decimal points, from a\n"
      "                      semicolon file too\n"
      "      Exit status 0: every row good; 4: some rows have a status (their count on stderr);\n"
      "      2, before any output: a wrong argument, an option given twice, an unknown item, a\n"
      "      missing file, an unreadable header, an unknown unit, a column of --columns or --keep\n"
      "      missing; 1: the output or the input failed (a closed pipe ends the run quietly),\n"
      "      SIGINT or SIGTERM stopped the run, or memory ran out; the output then ends after a\n"
      "      whole row, and the message says how many rows are written.\n"
      "\n");
}

namespace {

// The help of each command, in the order of the usage text.
std::string StateUsageText() {
  return std::string("  ") + kStateSynopsis +
         "\n"
         "      Calculates the state as the window does and prints the text that \"Copy Results\"\n"
         "      would copy (blank-aligned by default).\n"
         "\n"
         "      -T VALUE        the temperature, in the temperature unit of U\n"
         "      -P VALUE        the pressure, in the pressure unit of U; one of -T and -P alone means\n"
         "                      saturated water\n"
         "      --enthalpy VALUE, --entropy VALUE\n"
         "                      the enthalpy and the entropy, in the units of U\n"
         "      The state: -T and -P, one of them alone, or another pair of the window's pair\n"
         "      chooser: two of -T, -P, --enthalpy, --entropy and --quality (T-x, P-x, P-h, P-s, h-s,\n"
         "      T-h, T-s). With -T or -P alone, --quality makes the pair T-x or P-x (the same\n"
         "      results as the quality typed for the saturated state); beside both it is the\n"
         "      quality of the wet-steam grid.\n"
         "      --units U       the units, below (default SI)\n"
         "      --standard S    builtin (the built-in correlations, the default), iapws (IAPWS-IF97\n"
         "                      and the IAPWS releases on ice, transport and other properties) or\n"
         "                      iapws95 (the same releases over IAPWS-95, to 1273 K and 1000 MPa);\n"
         "                      the IAPWS results have a line Standard= after the Condition line\n"
         "      --wet           adds the wet-steam grid; the state must be saturated\n"
         "      --quality PCT   the steam quality in percent, 0 to 100 (default 0); implies --wet; a\n"
         "                      wet state of another pair shows its own quality\n"
         "      --fixed         adds the fixed properties\n"
         "      --layout L      spaces (blank-aligned, the default) or tabs (for spreadsheets)\n"
         "      Exit status 2, with the message on stderr and nothing on stdout: an input error, a\n"
         "      value that is not a number or out of range, no state, options that are no pair, a pair\n"
         "      the standard finds no state for, --wet for a state that is not saturated, a quality\n"
         "      outside 0 to 100.\n"
         "\n";
}

std::string SearchUsageText() {
  return "  tulo-calc search --property P --value V --given Q --at V [--units U] [--standard S]\n"
         "                   [--layout spaces|tabs]\n"
         "      The steam search: the state at which the property takes its value with the given\n"
         "      quantity held fixed. Prints the results of the state found, and for wet steam a last\n"
         "      line with the steam quality.\n"
         "\n"
         "      --property P    enthalpy, entropy or density\n"
         "      --value V       the value searched for, in the property's unit of U\n"
         "      --given Q       temperature or pressure: the quantity held fixed\n"
         "      --at V          its value, in its unit of U, within the limits of -T or -P\n"
         "      --units U, --standard S, --layout L   as above\n"
         "      Exit status 2: a value that is not a number (\"Invalid searching parameter.\") or a\n"
         "      fixed value out of range; 3: nothing found (\" Conditions are out of Allowable Range \").\n"
         "\n";
}

std::string PointUsageText() {
  return std::string("  ") + kPointSynopsis +
         "\n"
         "      One state given by two of its properties, for scripts: one JSON object on one line.\n"
         "\n"
         "      NAME=VALUE      two of T (temperature), P (pressure; a gauge unit adds the\n"
         "                      atmospheric pressure), h (enthalpy), s (entropy), in their units of\n"
         "                      U, and x (the steam quality in percent, 0 to 100): any two but h\n"
         "                      and x, in either order (P=1000 h=2800, T=400 x=50)\n"
         "      --standard S    builtin (the default), iapws or iapws95; --units U as above\n"
         "      --items LIST    more items, as batch --items takes them (names, codes, symbols)\n"
         "      Keys: standard, condition, T, P, x (null for a state that is not wet steam), h, s,\n"
         "      rho, then the items by their names (enthalpy, viscosity, ...). Values are numbers\n"
         "      in the units of U with every digit the standard stores, as batch writes them; null\n"
         "      where the state has no single value (a saturated state without x, a value out of\n"
         "      range).\n"
         "      Exit status 2: an unknown name, a name given twice, h with x, a value that is not a\n"
         "      number, unknown units, standard or item, a missing or extra argument; 3: no state\n"
         "      with the two values in the standard (the message on stderr, nothing on stdout).\n"
         "\n";
}

std::string TableUsageText() {
  return std::string("  ") + kTableSynopsis +
         "\n"
         "      A table of properties over a range of states, one row per state, as the window\n"
         "      computes each: the temperature, the pressure, the items' columns, the condition.\n"
         "\n"
         "      saturation        along the saturation line, by temperature (the default) or by\n"
         "                        pressure (--by); a liquid and a vapour column per item (below\n"
         "                        the triple point the liquid column holds the saturated solid)\n"
         "      isobar            the temperature varies at the pressure --at\n"
         "      isotherm          the pressure varies at the temperature --at\n"
         "      --from A --to B   the range, in the unit of U of the quantity that varies; A not\n"
         "                        above B; both inside the limits of -T or -P\n"
         "      --step S          rows A, A+S, A+2S, ... and B last; or --rows N: N rows evenly\n"
         "                        spaced, A and B included; at most 1 000 000 rows\n"
         "      --at V            the fixed pressure or temperature of an isobar or an isotherm\n"
         "      --items LIST      the properties, by name or catalogue code, separated by commas\n"
         "                        (enthalpy,entropy,density or 15,16,18); by default the items of\n"
         "                        the window's Variable Results grid. Names: enthalpy, entropy,\n"
         "                        internal_energy, density, vaporisation_enthalpy,\n"
         "                        saturation_pressure, viscosity, heat_capacity,\n"
         "                        thermal_conductivity, surface_tension, thermal_expansion,\n"
         "                        isothermal_compressibility, isentropic_coefficient,\n"
         "                        compressibility_factor, dielectric_constant, refractive_index,\n"
         "                        melting_point, boiling_point, saturation_temperature, and in\n"
         "                        the IAPWS standard also speed_of_sound, isochoric_heat_capacity,\n"
         "                        specific_volume, kinematic_viscosity, prandtl_number,\n"
         "                        joule_thomson\n"
         "      --format F        text (aligned columns, the cells as the window shows them, the\n"
         "                        default), csv, tsv (every digit of the values) or json\n"
         "      --standard S      builtin (the default), iapws or iapws95; --units U as above\n"
         "      An isobar or isotherm row on the saturation line shows the saturated vapour. A\n"
         "      state outside a correlation's range shows \"Out of Range\" in its cells.\n"
         "      Exit status 2, with the message on stderr: From above To, a step of zero or below\n"
         "      zero, a range outside the input limits, more than 1 000 000 rows, a value that is\n"
         "      not a number, an unknown item.\n"
         "\n";
}

std::string PropertyCompareDiagramUsageText() {
  return std::string("  tulo-calc property ITEM PHASE T_K P_KPA [--units U] [--standard S] [--quality PCT]\n"
         "      Evaluates the calculator of catalogue item ITEM (15..33; 36..41, the speed of sound,\n"
         "      isochoric heat capacity, specific volume, kinematic viscosity, Prandtl number and\n"
         "      Joule-Thomson coefficient, only in the IAPWS standard) at phase code PHASE (0..10),\n"
         "      temperature T_K (kelvin) and pressure P_KPA (kPa absolute), with fresh calculators.\n"
         "      Prints: status (0 valid, 1 not given, 2 out of range), TAB, the value in internal\n"
         "      units (15 significant digits, empty unless status 0), TAB, the grid cell text in the\n"
         "      units U. PCT is the steam quality in percent for phase 9 (default 0).\n"
         "      The phase named is evaluated even where it is not the stable one (phase 7 at 300 K\n"
         "      and 100 kPa, in the built-in standard). An input beyond the standard's\n"
         "      limits (the window's temperature and pressure ranges, PCT 0 to 100) is status 2:\n"
         "      T_K and P_KPA for phases 3, 5, 7, 8 and 10, T_K alone for the saturated phases; a\n"
         "      named single phase in the range of its correlation (built-in vapour: to 1274 K).\n"
         "\n"
         "  tulo-calc compare [-T VALUE] [-P VALUE] [--units U] [--layout spaces|tabs]\n"
         "                    [--standards LIST]\n"
         "      The standards of LIST (comma-separated, default builtin,iapws) at one state (one of\n"
         "      -T and -P alone: saturated, each standard on its own saturation line): for every\n"
         "      property of the first standard's grid, the value in each standard, then for each\n"
         "      but the last its difference from the last one and that in per cent of the last\n"
         "      one's value (temperatures in kelvin and pressures absolute, whatever the units).\n"
         "      --standards builtin,iapws,iapws95 compares the built-in correlations and IAPWS-IF97\n"
         "      with IAPWS-95.\n"
         "\n"
         "  tulo-calc diagram ts|hs|ph|pt --output FILE [-T VALUE] [-P VALUE] [--units U]\n"
         "                    [--standard builtin|iapws|iapws95]\n"
         "      Draws the T-s, h-s (Mollier), P-h or P-T diagram of the standard (default builtin) in\n"
         "      the units U, with the state given by -T and -P (as above) marked, into FILE: an SVG\n"
         "      drawing or a PNG picture, by its extension. No display is needed.\n"
         "      Exit status 2: an unknown diagram or standard, no --output, another extension, a\n"
         "      state out of range; 1: the file could not be written.\n"
         "\n");
}

std::string ProcessUsageText() {
  return "  tulo-calc process turbine|pump --inlet STATE (--outlet-pressure V [--efficiency PCT]\n"
         "                   | --outlet STATE) [--flow V]\n"
         "  tulo-calc process throttle --inlet STATE --outlet-pressure V\n"
         "  tulo-calc process calorimeter --outlet STATE --inlet-pressure V\n"
         "  tulo-calc process mix --stream STATE,flow=V --stream STATE,flow=V [...] --pressure V\n"
         "  tulo-calc process desuperheat --steam STATE,flow=V --water STATE\n"
         "                   (--target-temperature V | --target-enthalpy V)\n"
         "  tulo-calc process flash --inlet STATE,flow=V --pressure V\n"
         "  tulo-calc process heat --inlet STATE (--outlet STATE | --outlet-pressure V --heat V) [--flow V]\n"
         "  tulo-calc cycle rankine --boiler-pressure V (--turbine-inlet-temperature V | --saturated-vapour)\n"
         "                   --condenser-pressure V [--turbine-efficiency PCT] [--pump-efficiency PCT]\n"
         "                   [--reheat-pressure V --reheat-temperature V] [--feedwater-heater-pressure V]\n"
         "                   [--net-power V]\n"
         "      Unit operations and the Rankine cycle, their states given by any pair of the standard.\n"
         "      Every command also takes [--standard S] [--units U] [--flow-unit kg/s|kg/h|t/h|lb/h]\n"
         "      [--power-unit kW|MW] [--format text|json] [--full-precision]\n"
         "      [--diagram ts|hs|ph --output FILE].\n"
         "\n"
         "      STATE           two of T, P, h, s and x as NAME=VALUE separated by a comma, the names\n"
         "                      and units of point: --inlet T=773.15,P=10000; a stream adds its\n"
         "                      flow: --stream P=1000,x=90,flow=2.5\n"
         "      turbine, pump   the outlet at --outlet-pressure after an expansion (compression) of\n"
         "                      isentropic efficiency PCT (100 by default): the outlet, the isentropic\n"
         "                      outlet, the work\n"
         "                      (produced by a turbine, taken by a pump) and with --flow the power;\n"
         "                      or, with --outlet, the efficiency of the measured states\n"
         "      throttle        a valve: the outlet at the inlet's enthalpy\n"
         "      calorimeter     the throttling calorimeter: the steam before the valve, at\n"
         "                      --inlet-pressure, and its quality from the state after it\n"
         "      mix             two or more streams mixed adiabatically at --pressure\n"
         "      desuperheat     spray water into steam (at the steam's pressure) to a target\n"
         "                      temperature or enthalpy: the water flow and the outlet flow\n"
         "      flash           a flash tank at --pressure: the vapour and liquid flows\n"
         "      heat            a heater or cooler: the heat per kg (positive into the stream) and\n"
         "                      with --flow the duty; or the outlet of --heat V per kg\n"
         "      rankine         pump, boiler, turbine, condenser; reheat to --reheat-temperature at\n"
         "                      --reheat-pressure; one open feedwater heater; both efficiencies 100\n"
         "                      by default; with --net-power, the steam flow. Its states are numbered\n"
         "                      in the order the water goes round\n"
         "      Efficiencies, qualities and fractions in percent; flows in kg/s, or --flow-unit;\n"
         "      power in kW, or --power-unit MW; heat rate in kJ/kWh; work and heat per kg in the\n"
         "      enthalpy unit of U; every other value in the units of U.\n"
         "      --format F      text (the default: the states as a table, then the figures, 6\n"
         "                      significant digits, or every stored digit with --full-precision) or\n"
         "                      json: one object with \"standard\", the states by name (a cycle's as\n"
         "                      the list \"states\", each with its \"name\"), each {T, P, h, s, x} with x\n"
         "                      null for a single phase, the figures by name, and \"units\" naming the\n"
         "                      unit of each\n"
         "      --diagram K --output FILE\n"
         "                      also draws the process on the ts, hs or ph chart into FILE (SVG or\n"
         "                      PNG), in builds with the desktop program\n"
         "      Exit status 2, with the message on stderr and nothing on stdout: an unknown or\n"
         "      missing option, an option given twice, options that exclude each other, a value that\n"
         "      is not a number, a stream without flow=, a flow or power not above zero, and every\n"
         "      error of the operation itself (a state out of range, an efficiency outside 0 to 100).\n"
         "\n";
}

}  // namespace

std::string UsageText() {
  return "tulo-calc: properties of water and steam\n\n" + StateUsageText() + SearchUsageText() +
         PointUsageText() + TableUsageText() + PropertyCompareDiagramUsageText() + ProcessUsageText() +
         BatchUsageText() +
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
