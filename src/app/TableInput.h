#pragma once
// What the user types for a range table (the Tables window's fields, tulo-calc table's options),
// checked as the window checks a typed state: numbers in the display units of the session, inside
// the input limits of the standard in use, with the window's messages where they apply.

#include <optional>
#include <string>
#include <vector>

#include "props/Catalogue.h"
#include "results/RangeTable.h"
#include "results/Session.h"

namespace tulo {

struct TableInput {
  TableKind kind = TableKind::kSaturationByTemperature;
  // In the display unit of the varied quantity. From must not be above To; when they are equal
  // the table has one row, whatever the step or rows.
  std::string from, to;
  // Exactly one of the two: a step (> 0) or a number of rows (1 to kMaxTableRows).
  std::string step, rows;
  // The fixed quantity of an isobar (a pressure) or an isotherm (a temperature), in its display
  // unit; empty for a saturation table.
  std::string at;
  // Variable items of the standard in use; empty for its default items. An item given twice
  // counts once.
  std::vector<Item> items;
};

struct TableCheck {
  std::optional<TableRequest> request;
  std::string error;  // the message when there is no request
};

// The table the input asks for in the session's units and standard, or the message saying what
// is wrong with it. Reads the session's units and standard only.
TableCheck CheckTableInput(Session& s, const TableInput& input);

}  // namespace tulo
