#pragma once
// The property standards the program offers, by the short names that tulo-calc's --standard,
// the Python module and the desktop settings use.

#include <span>
#include <string_view>

#include "props/CorrelationSet.h"

namespace tulo {

struct StandardEntry {
  std::string_view key;  // "builtin", "iapws", "iapws95"
  const CorrelationSet& (*set)();
};

// Every standard, the default (the built-in correlations) first.
std::span<const StandardEntry> Standards();
// The set of a short name; null for an unknown name.
const CorrelationSet* CorrelationSetNamed(std::string_view key);
// The short name of a set ("builtin" for a set not in the list).
std::string_view StandardKey(const CorrelationSet& set);

}  // namespace tulo
