#pragma once
// The texts tulo-calc prints besides results: the help, the unit numbers, and the quoting of
// arguments in messages.

#include <string>

namespace tulo::cli {

// The whole help, for --help after any command.
std::string UsageText();
// The one-line synopsis of the state form, for a call that gives no state.
std::string StateSynopsis();
// The one-line synopsis of the point command, for a call without its two values.
std::string PointSynopsis();
// The unit numbers of every quantity: a table (--list-units), or one wrapped line per quantity
// (the help and the message for unknown units).
std::string UnitNumbersTable();
std::string UnitNumbersList();
// The batch command's part of UsageText.
std::string BatchUsageText();
// The keys of the variable items, wrapped, with the other names batch --items takes.
std::string BatchItemsList();
// "unknown units: ARG", then what --units accepts.
std::string UnknownUnitsText(const std::string& arg);
// An argument as messages quote it: at most 40 characters, then "...".
std::string Shown(const std::string& arg);
// "not a number: ARG", or "number out of range: ARG" for a number the program's reals cannot hold.
std::string NumberProblem(const std::string& arg);

// "unknown standard: S (builtin, iapws or iapws95)", S cut as Shown cuts it.
std::string UnknownStandardText(const std::string& arg);

}  // namespace tulo::cli
