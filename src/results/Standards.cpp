#include "results/Standards.h"

#include "props/BuiltInSet.h"
#include "results/IapwsSet.h"

namespace tulo {
namespace {

constexpr StandardEntry kStandards[] = {
    {"builtin", BuiltInCorrelations},
    {"iapws", IapwsCorrelations},
    {"iapws95", Iapws95Correlations},
};

}  // namespace

std::span<const StandardEntry> Standards() {
  return kStandards;
}

const CorrelationSet* CorrelationSetNamed(std::string_view key) {
  for (const StandardEntry& s : kStandards)
    if (s.key == key) return &s.set();
  return nullptr;
}

std::string_view StandardKey(const CorrelationSet& set) {
  for (const StandardEntry& s : kStandards)
    if (&s.set() == &set) return s.key;
  return kStandards[0].key;
}

}  // namespace tulo
