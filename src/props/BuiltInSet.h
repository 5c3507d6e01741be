#pragma once
// The built-in correlations: the program's own property standard and its default.

#include "props/CorrelationSet.h"

namespace tulo {

// The one built-in set; it holds no state, so every session may share it.
const CorrelationSet& BuiltInCorrelations();

}  // namespace tulo
