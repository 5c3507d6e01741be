#pragma once
// A second property standard for the tests of the correlation-set seam: simple closed forms whose
// answers can be worked out by hand, and a critical point, lines, limits, ranges, rows and fixed
// values all unlike the built-in set's, so that a test sees which set the program followed.
// Computed and stored in double precision.

#include <cmath>
#include <functional>
#include <memory>
#include <span>
#include <string>

#include "props/CorrelationSet.h"

namespace tulo::testing {

struct Fake {
  static constexpr long double kTc = 600.0L;    // K
  static constexpr long double kPc = 15000.0L;  // kPa
  static constexpr long double kSlope = 0.02L;  // 1/K: ln Psat rises by this per kelvin
  static constexpr long double kSatTMin = 250.0L;
  static constexpr long double kSublimationTop = 280.0L;
  static constexpr long double kHotLimit = 850.0L;  // K: enthalpy out of range above

  // Psat = Pc exp(k (T - Tc)) from 250 K to Tc, and its inverse.
  static long double SatPressure(long double T) { return kPc * std::exp(kSlope * (T - kTc)); }
  static long double SatTemperature(long double P) { return kTc + std::log(P / kPc) / kSlope; }
  static long double Melting(long double P) { return 280.0L - 0.0001L * P; }

  // kJ/kg from 273.15 K: ice, liquid, vapour (independent of pressure) and super critical fluid.
  static long double SolidH(long double T) { return -333.0L + 2.0L * (T - 273.15L); }
  static long double LiquidH(long double T) { return 4.0L * (T - 273.15L); }
  static long double VapourH(long double T) { return 2500.0L + 2.0L * (T - 273.15L); }
  static long double FluidH(long double T) { return 3.0L * T; }
  static long double LiquidRho(long double T) { return 1000.0L - 0.5L * (T - 273.15L); }
  static long double VapourRho(long double T, long double P) { return P / (0.4615L * T); }
};

using FakeAnswer = std::function<CalcResult(Phase phase, long double T, long double P)>;

// A calculator answering by a function of the phase and the state.
class FakeCalc final : public PropertyCalculator {
 public:
  FakeCalc(CalculatorTable& table, CalcContext& ctx, Item item, FakeAnswer answer)
      : PropertyCalculator(table, ctx, item, CacheKey::kAll), answer_(std::move(answer)) {}

 protected:
  CalcResult Evaluate(Phase phase, long double T, long double P) override { return answer_(phase, T, P); }

 private:
  FakeAnswer answer_;
};

inline CalcResult FakeSatPressure(Phase, long double T, long double) {
  if (T < Fake::kSatTMin) return CalcResult::OutOfRange();
  if (T > Fake::kTc) return CalcResult::NotGiven();
  return CalcResult::Valid(Fake::SatPressure(T));
}

inline CalcResult FakeSatTemperature(Phase, long double, long double P) {
  if (P < Fake::SatPressure(Fake::kSatTMin)) return CalcResult::OutOfRange();
  if (P > Fake::kPc) return CalcResult::NotGiven();
  return CalcResult::Valid(Fake::SatTemperature(P));
}

inline CalcResult FakeEnthalpy(Phase phase, long double T, long double, double quality) {
  if (T > Fake::kHotLimit) return CalcResult::OutOfRange();
  switch (phase) {
    case Phase::kSatSolid:
    case Phase::kSubCooledSolid:
      return CalcResult::Valid(Fake::SolidH(T));
    case Phase::kSatLiquid:
    case Phase::kSubCooledLiquid:
      return CalcResult::Valid(Fake::LiquidH(T));
    case Phase::kSatVapour:
    case Phase::kSuperheated:
      return CalcResult::Valid(Fake::VapourH(T));
    case Phase::kSuperCritical:
      return CalcResult::Valid(Fake::FluidH(T));
    case Phase::kWetSteam:
      return CalcResult::Valid(((100.0L - quality) * Fake::LiquidH(T) + quality * Fake::VapourH(T)) / 100.0L);
    default:
      return CalcResult::NotGiven();
  }
}

inline CalcResult FakeDensity(Phase phase, long double T, long double P) {
  switch (phase) {
    case Phase::kSatLiquid:
    case Phase::kSubCooledLiquid:
      return CalcResult::Valid(Fake::LiquidRho(T));
    case Phase::kSatVapour:
    case Phase::kSuperheated:
    case Phase::kSuperCritical:
      return CalcResult::Valid(Fake::VapourRho(T, P));
    default:
      return CalcResult::NotGiven();  // no density of the solid in this standard
  }
}

class FakeCorrelationSet final : public CorrelationSet {
 public:
  FakeCorrelationSet() : CorrelationSet(false) {}

  std::string Name() const override { return "Fake standard"; }

  std::unique_ptr<CalculatorTable> MakeCalculators(CalcContext& ctx) const override {
    auto table = std::make_unique<CalculatorTable>(*this, ctx);
    const double& quality = ctx.steamQuality;
    table->Add(std::make_unique<FakeCalc>(*table, ctx, Item::kSaturationPressure, FakeSatPressure));
    table->Add(std::make_unique<FakeCalc>(*table, ctx, Item::kSaturationTemperature, FakeSatTemperature));
    table->Add(std::make_unique<FakeCalc>(*table, ctx, Item::kEnthalpy,
                                          [&quality](Phase phase, long double T, long double P) {
                                            return FakeEnthalpy(phase, T, P, quality);
                                          }));
    table->Add(std::make_unique<FakeCalc>(*table, ctx, Item::kDensity, FakeDensity));
    return table;
  }

  CriticalPoint Critical() const override { return {Fake::kTc, Fake::kPc}; }
  long double SaturationBand() const override { return 0.5L; }
  long double MeltingTemperature(long double P) const override { return Fake::Melting(P); }
  long double SublimationTop() const override { return Fake::kSublimationTop; }

  InputRange InputLimits(Quantity quantity) const override {
    if (quantity == kTemperature) return {250.0L, 900.0L, Fake::kTc};
    return {10.0L, 50000.0L, Fake::kPc};
  }
  SearchRanges Search() const override { return {280.0L, 281.0L, 840.0L, 10.0L, 50000.0L}; }

  double FixedValue(Item item) const override {
    switch (item) {
      case Item::kCriticalTemperature:
        return static_cast<double>(Fake::kTc);
      case Item::kCriticalPressure:
        return static_cast<double>(Fake::kPc);
      default:
        return 1.0;
    }
  }
  const GridLayout& Layout() const override { return kLayout; }

 private:
  static constexpr Item kSinglePhaseRows[] = {Item::kEnthalpy, Item::kDensity, Item::kSaturationPressure};
  static constexpr Item kSaturatedRows[] = {Item::kEnthalpy, Item::kDensity};
  static constexpr GridRows kRows{kSinglePhaseRows, kSaturatedRows, kSinglePhaseRows, kSaturatedRows,
                                  kSinglePhaseRows};
  static constexpr GridLayout kLayout{kRows, kRows, kSaturatedRows};
};

}  // namespace tulo::testing
