#pragma once
// The rows of tulo-calc batch: each row's two inputs turned into a state by the state evaluator,
// and the requested items as numbers in the display units.
//
// An input of temperature and pressure (T and P columns) is typed as into the window (the same
// input checks and messages, the same phase condition), one column per phase. The output
// columns, the status last:
//   the input's kept columns (--keep), as read,
//   condition, T, P,
//   for each item: <key> (single-phase states), <key>_liquid and <key>_vapour (saturated states;
//     on the sublimation line the _liquid column holds the saturated solid),
//   with a quality column in the input: <key>_wet for each item the wet-steam grid lists,
//   status.
// T and P are the state's, the one not typed included (on the saturation line), in the display
// units whatever the units of the input's columns ("T [degC]"). A blank T or P is missing ("no
// temperature", "no pressure") unless the input has a quality column or the request asks for the
// window's rule: one of them alone is a saturated state. A cell is empty
// when its phase does not apply or the standard does not give the item there (" -" in the window),
// and when the value is out of range; out-of-range cells are named in the status.
//
// An input of another pair (T-x, P-x, P-h, P-s, h-s, T-h, T-s: BatchHeader::pair) has the columns
//   the kept columns, condition, T, P, x (percent; empty for a single phase),
//   for each item: <key>, the value of the state (wet steam mixed at x for a wet state),
//   status.
// A blank input is missing ("no enthalpy"); a pair without a state has the evaluator's message.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/InputChecks.h"
#include "batch/BatchReader.h"
#include "batch/BatchRow.h"
#include "props/Catalogue.h"
#include "props/CorrelationSet.h"
#include "results/CalcState.h"
#include "results/DisplayValue.h"
#include "results/Session.h"
#include "results/StateEvaluator.h"
#include "units/Units.h"

namespace tulo::cli {

// What every row of a run computes.
struct BatchRequest {
  const CorrelationSet* set = nullptr;
  UnitSelection units{};    // the display units, and those of input columns that name none
  std::vector<Item> items;  // variable items, none twice
  bool saturated = false;   // a blank T or P means saturated at the other, as in the window
  bool decimalComma = false;  // numbers are written with a decimal comma
};

// The rows of the variable-results grid in every phase condition, full list: the union of the
// standard's full row sets, in catalogue order.
std::vector<Item> DefaultBatchItems(const CorrelationSet& set);

// The output header of a T and P input (see above); withQuality: it has a steam quality column.
std::vector<std::string> BatchColumns(const BatchRequest& request, bool withQuality);
// The output header of an input, the kept columns not included: that of its pair.
std::vector<std::string> BatchColumns(const BatchRequest& request, const batch::BatchHeader& header);

// One worker's computer, with its own evaluator and session: not to be shared between threads.
class BatchComputer {
 public:
  // header: the input's columns (their units, the kept ones, the decimal comma of its numbers).
  explicit BatchComputer(const BatchRequest& request, const batch::BatchHeader& header = {});
  BatchComputer(const BatchComputer&) = delete;
  BatchComputer& operator=(const BatchComputer&) = delete;

  // A batch::RowComputer: result's cells are reused, its status is empty on entry.
  void Compute(const batch::BatchRow& row, batch::BatchResult& result);

 private:
  // The first columns of the items' cells, and of their wet-steam cells.
  static constexpr std::size_t kStateColumns = 3;
  static constexpr std::size_t kPhaseColumns = 3;

  // A row of T and P: the window's checks of the texts, then the state and its phase columns.
  // False when the row ends without values (its status says why): its cells are then the kept ones.
  bool ComputeTP(const batch::BatchRow& row, batch::BatchResult& result);
  // A row of another pair: its two numbers, the state, and the state's value of each item; false
  // as ComputeTP.
  bool ComputePair(const batch::BatchRow& row, batch::BatchResult& result);
  // A pair row's input as read and in internal units, or its message in status.
  struct PairValue {
    double read, internal;
  };
  std::optional<PairValue> PairInput(PairName name, const batch::BatchRow& row, std::string& status);

  // The message for a typed temperature or pressure that is no number or one beyond the
  // program's reals (in the unit typed or in the internal one).
  std::string UnreadableText(std::string_view t, std::string_view p);
  // The message for a row without a temperature or pressure; nullptr when it has what it needs.
  const char* MissingText(std::string_view t, std::string_view p) const;
  // A number of the input as the number reader reads it (its decimal comma made a point).
  std::string_view NumberText(std::string_view text, std::string& buffer) const;
  // The state's temperature or pressure (internal) in the display unit, every digit its standard
  // holds, into the cleared cell: the number read when it was typed in that unit; the cell stays
  // empty when it has no finite value.
  void StateText(Quantity q, double internal, std::optional<double> read, std::string& cell);
  // The steam quality of the row at a state, or its message in status.
  std::optional<double> RowQuality(std::string_view text, const Evaluated& state, std::string& status);
  // An item's value (internal) into its cell (left empty unless valid); an out-of-range value is
  // noted in outOfRange_ by its column (the item's key and suffix).
  void ValueCell(std::size_t itemIndex, const CalcResult& value, std::string& cell, std::string_view suffix);

  const BatchRequest& request_;
  StateEvaluator evaluator_;
  std::optional<InputPair> pair_;                 // none: T and P
  Session session_;                               // the window's checks; its units those of the input columns
  UnitSettings displayUnits_;                     // the request's units
  std::array<bool, 2> sameUnit_{};                // by T and P: the input column's unit is the display one
  std::vector<UnitConversion> stateConversions_;  // T and P into the display units
  std::size_t kept_ = 0;                          // the kept columns, first in the cells
  bool decimalCommaIn_ = false;
  bool saturatedBlanks_ = false;
  InputChecks checks_;
  CalcState fresh_;  // the state of a window that has calculated once, with nothing typed
  std::vector<UnitConversion> conversions_;  // by item
  std::vector<std::string> columnKeys_;      // by item
  std::vector<std::string> conditionNames_;  // ConditionName by code, copied into the cells
  std::vector<std::size_t> wetItems_;        // indices into request_.items
  std::string t_, p_;                        // the texts typed
  std::string quality_;                      // the steam quality's text read
  std::string error_;                        // the input checks' message
  std::string outOfRange_;                   // the columns out of range
};

}  // namespace tulo::cli
