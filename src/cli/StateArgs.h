#pragma once
// A state as tulo-calc takes it from the user: NAME=VALUE arguments with the names of the input
// pairs (T, P, h, s, x) in the units in use, read into a StateInput for the evaluator. The point
// command takes two such arguments, the process commands a state written NAME=VALUE,NAME=VALUE.

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "props/CorrelationSet.h"
#include "results/StateEvaluator.h"
#include "units/Units.h"

namespace tulo::cli {

// What ReadGiven reads, for the messages that refuse something else.
inline constexpr std::string_view kGivenForm = "NAME=VALUE with NAME one of T, P, h, s, x";

// One NAME=VALUE, read.
struct Given {
  PairName name;
  std::string text;  // the value as written
};

// NAME=VALUE with NAME one of T, P, h, s, x; nothing for another text.
std::optional<Given> ReadGiven(std::string_view arg);

// A number typed in the unit of q in the units in use (x and percent: no quantity), in internal
// units, read as the standard reads typed numbers; nothing, with `error` set, for a text that is
// no number and for one that the unit turns into a value beyond the program's reals.
std::optional<double> InternalValue(const std::string& text, std::optional<Quantity> q,
                                    const CorrelationSet& set, const UnitSettings& units, std::string& error);

// The pair of the two names and its values in internal units in the pair's order; nothing, with
// `error` set, for a name given twice, a pair the program does not solve or a value that is no
// number. `given` holds two.
std::optional<StateInput> InputOf(std::span<const Given> given, const CorrelationSet& set,
                                  const UnitSettings& units, std::string& error);

}  // namespace tulo::cli
