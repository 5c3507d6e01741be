#pragma once
// The state list: states the user keeps under names, each stored as what re-evaluates it exactly
// (the standard's short name, the input pair and its two values in internal units), shown with
// the properties the user chose in the units in use, every digit the standard stores.
//
// The list lives in a file of its own in the data folder, beside the configuration file
// (kStateListFileName), as JSON: numbers are written as texts by std::to_chars (the shortest text
// that reads back as the same double) and read by std::from_chars, so that a round trip is
// bit-exact and no locale enters it.

#include <cstddef>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/AtomicFile.h"
#include "results/StateEvaluator.h"
#include "units/Units.h"

namespace tulo {

inline constexpr const char* kStateListFileName = "statelist.json";

// A state as the list keeps it: it re-evaluates to the same values in any units.
struct StateRecord {
  std::string standard = "builtin";  // StandardKey of its standard
  StateInput input;
};

struct StateEntry {
  std::string name;
  StateRecord state;
};

// The key of a column: "T", "P", "x" (the state's temperature, pressure and quality), or the
// ItemKey of a variable item ("enthalpy", "speed_of_sound").
using ColumnKey = std::string;

// T, P, h, s, x, rho.
std::vector<ColumnKey> DefaultColumns();
// Every column the list offers: T, P, x, then the variable items in catalogue order.
std::vector<ColumnKey> ColumnChoices();
bool IsColumnKey(std::string_view key);
// "Temperature", "Steam Quality", "Enthalpy": the column's name without a unit.
std::string ColumnName(std::string_view key);
// The name with the unit in use: "Temperature (Kelvin)", "Steam Quality (% mass)", "Compressibility
// Factor" (no unit for a dimensionless item).
std::string ColumnTitle(std::string_view key, const UnitSettings& units);

// "T-P", "T", "P", "T-x", "P-x", "P-h", "P-s", "h-s", "T-h", "T-s": the pair as the file names it.
std::string_view PairKey(InputPair pair);
std::optional<InputPair> PairFromKey(std::string_view key);

struct StateList {
  std::string name = "State list";
  std::vector<ColumnKey> columns = DefaultColumns();
  std::vector<StateEntry> entries;

  // Adds the state at the end; an empty or blank name becomes "State N", N one more than the
  // count of entries before it. Returns its index.
  std::size_t Add(std::string entryName, const StateRecord& state);
  // False for an index outside the list or an empty or blank new name (the old one stays).
  bool Rename(std::size_t index, const std::string& newName);
  bool Remove(std::size_t index);
  void Clear() { entries.clear(); }
};

// Evaluates entries for the list's cells: one evaluator per standard, made on first use.
class StateListValues {
 public:
  // The texts of the row of `state`, one per column, in `units`: every digit the state's standard
  // stores (StoredValueText); " -" where there is no value (no quality of a single phase, an item
  // the standard does not give); "Out of Range" for a value beyond its limits or a state the
  // evaluator refuses. A saturated state without a quality (given by T or P alone) shows its
  // vapour column, as the range tables and the diagrams show one value for it.
  std::vector<std::string> Row(const StateRecord& state, const std::vector<ColumnKey>& columns,
                               const UnitSettings& units);
  // Why the state has no values: the evaluator's message, or the unknown standard; empty when it
  // has some.
  std::string Problem(const StateRecord& state);

 private:
  StateEvaluator* EvaluatorOf(const std::string& standard);
  std::map<std::string, std::unique_ptr<StateEvaluator>, std::less<>> evaluators_;
};

// The list as the file holds it (JSON, LF line ends).
std::string StateListJson(const StateList& list);

struct StateListRead {
  StateList list;     // empty (default name and columns) unless the text was a state list
  std::string error;  // why the text is not one; empty when it is
};
// Reads the text of a state list file. A foreign or damaged text (not JSON, not our format, a
// field of the wrong type, an unknown standard, pair or column, a value that is not a finite
// number) gives its reason and an empty list.
StateListRead ParseStateList(std::string_view text);

// Reads the file at `path`: a missing file is an empty list without an error; a file that cannot
// be read or is not a state list gives the message to show ("The state list file ... cannot be
// used (...). The list starts empty; the file is left as it is until the list is changed.").
StateListRead LoadStateList(const std::string& path);

// Writes the list whole to `path` (AtomicFile, the program's own path: a link there is replaced):
// empty on success, else the message to show, the old file then left as it was.
std::string SaveStateList(const StateList& list, const std::string& path,
                          const FileWriter& writer = SystemFileWriter());

// The list as CSV: a header (the entry's name, then each column's title with its unit in use),
// one row per entry with the cells of StateListValues; a cell holding a comma, a double quote or
// a line end is quoted, its quotes doubled. LF line ends.
std::string StateListCsv(const StateList& list, StateListValues& values, const UnitSettings& units);

}  // namespace tulo
