#pragma once
// The options the state-like commands share (the state, search and diagram commands): parsed
// "--name value" options and flags, and the units, standard and typed state they put into a form
// as the window's controls would.

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/MainForm.h"
#include "results/ResultsReport.h"
#include "cli/Commands.h"

namespace tulo::cli {

// Options "--name value" (values may start with "-") and flags "--name".
struct Options {
  std::map<std::string, std::string> values;
  std::map<std::string, bool> flags;
  bool Has(const char* name) const { return values.count(name) != 0; }
};

// known: each option's name and whether it takes a value. Nothing, with `error` set, for an
// unknown argument, a missing value or an option given twice.
std::optional<Options> ParseOptions(const Args& args, const std::map<std::string, bool>& known,
                                    std::string& error);

// The layout of --layout: spaces by default; nothing for another word.
std::optional<ReportLayout> LayoutOf(const Options& o);

// The units of --units as the units dialog would set them; false for an unknown argument.
bool InstallUnits(MainForm& form, const Options& o);
// The standard of --standard: the built-in correlations by default; false for an unknown name.
bool InstallStandard(MainForm& form, const Options& o);

// The variable items of a list separated by commas (--items of batch and point), names, codes or
// symbols, each given by `set` and none twice; nothing, with `error` set, for the first that is
// wrong. Defined with the batch command.
std::optional<std::vector<Item>> ParseItems(const std::string& list, const CorrelationSet& set,
                                            std::string& error);

// Types -T and -P (already read as numbers) into the input fields. The message, before any is
// typed, for a number that the chosen unit turns into a value beyond the program's reals.
std::optional<std::string> TypeState(MainForm& form, const Options& o);

}  // namespace tulo::cli
