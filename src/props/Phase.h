#pragma once
// Phase codes, as the calculators are asked for a property, and the phase condition of a state.
// The codes are the values the program has always used: the condition codes 3..8 are also the
// phase codes of the single-phase states.

#include <cstdint>
#include <optional>

namespace tulo {

enum class Phase : std::uint8_t {
  kSatSolid = 0,
  kSatLiquid = 1,
  kSatVapour = 2,
  kSubCooledSolid = 3,
  kSatSolidVapour = 4,
  kSubCooledLiquid = 5,
  kSatLiquidVapour = 6,
  kSuperheated = 7,
  kSuperCritical = 8,
  kWetSteam = 9,
  kNoPhase = 10,
};

constexpr int kPhaseCount = 11;

// The phase condition of a state; kNone before a state has been classified.
enum class Condition : std::uint8_t {
  kNone = 0,
  kSubCooledSolid = 3,
  kSatSolidVapour = 4,
  kSubCooledLiquid = 5,
  kSatLiquidVapour = 6,
  kSuperheated = 7,
  kSuperCritical = 8,
};

// The six conditions a state can be classified in, in code order.
inline constexpr Condition kConditions[] = {Condition::kSubCooledSolid,  Condition::kSatSolidVapour,
                                            Condition::kSubCooledLiquid, Condition::kSatLiquidVapour,
                                            Condition::kSuperheated,     Condition::kSuperCritical};

// The phase a calculator is asked in for a state of condition c: the code itself (so kNone asks
// phase 0, as it always has).
constexpr Phase PhaseOf(Condition c) {
  return static_cast<Phase>(c);
}

// The condition of a single-phase state's phase code (3..8); nothing for the other phases.
constexpr std::optional<Condition> ConditionOf(Phase phase) {
  switch (phase) {
    case Phase::kSubCooledSolid:
    case Phase::kSatSolidVapour:
    case Phase::kSubCooledLiquid:
    case Phase::kSatLiquidVapour:
    case Phase::kSuperheated:
    case Phase::kSuperCritical:
      return static_cast<Condition>(phase);
    default:
      return std::nullopt;
  }
}

// Saturated solid and vapour, or saturated liquid and vapour: the two-column grids.
constexpr bool IsSaturated(Condition c) {
  return c == Condition::kSatSolidVapour || c == Condition::kSatLiquidVapour;
}

// A phase code from its number, as typed on the command line; nothing outside 0..10.
constexpr std::optional<Phase> PhaseFromCode(int code) {
  if (code < 0 || code >= kPhaseCount) return std::nullopt;
  return static_cast<Phase>(code);
}

}  // namespace tulo
