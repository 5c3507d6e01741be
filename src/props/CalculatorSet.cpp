#include "props/CalculatorSet.h"

#include "props/Calculators.h"

namespace tulo {
namespace {

// Creation order: the saturation pressure and temperature first, then the other variable items
// in catalogue order.
constexpr CalculatorFactory kFactories[] = {
    MakeSatPressureCalc,
    MakeSatTemperatureCalc,
    MakeEnthalpyCalc,
    MakeEntropyCalc,
    MakeInternalEnergyCalc,
    MakeDensityCalc,
    MakeVaporisationEnthalpyCalc,
    MakeViscosityCalc,
    MakeHeatCapacityCalc,
    MakeThermalConductivityCalc,
    MakeSurfaceTensionCalc,
    MakeThermalExpansionCalc,
    MakeIsothermalCompressibilityCalc,
    MakeIsentropicCoeffCalc,
    MakeCompressibilityFactorCalc,
    MakeDielectricConstantCalc,
    MakeRefractiveIndexCalc,
    MakeMeltingPointCalc,
    MakeBoilingPointCalc,
};

}  // namespace

CalculatorSet::CalculatorSet(CalcContext& ctx) : ctx_(ctx) {
  for (CalculatorFactory make : kFactories) {
    std::unique_ptr<PropertyCalculator> calc = make(*this, ctx_);
    calculators_[ItemCode(calc->GetItem())] = std::move(calc);
  }
}

CalculatorSet::~CalculatorSet() = default;

PropertyCalculator* CalculatorSet::VarPropCalc(Item item) const {
  auto code = static_cast<std::size_t>(ItemCode(item));
  return code < calculators_.size() ? calculators_[code].get() : nullptr;
}

CalcResult CalculatorSet::Compute(Item item, Phase phase, long double T, long double P) const {
  PropertyCalculator* calc = VarPropCalc(item);
  return calc != nullptr ? calc->Compute(phase, T, P) : CalcResult::NotGiven();
}

}  // namespace tulo
