#include "props/CalculatorSet.h"

#include "props/Calculators.h"

namespace tulo {
namespace {

// Creation order: saturation pressure (item 20), saturation temperature (item 33), then items
// 15 to 19 and 21 to 32 in ascending order.
constexpr int kItemOfCreationIndex[kCalculatorCount] = {20, 33, 15, 16, 17, 18, 19, 21, 22, 23,
                                                        24, 25, 26, 27, 28, 29, 30, 31, 32};

constexpr CalculatorFactory kFactories[kCalculatorCount] = {
    MakeSatPressureCalc,                // 20 Saturation Pressure
    MakeSatTemperatureCalc,             // 33 Saturation Temperature
    MakeEnthalpyCalc,                   // 15 Enthalpy
    MakeEntropyCalc,                    // 16 Entropy
    MakeInternalEnergyCalc,             // 17 Internal Energy
    MakeDensityCalc,                    // 18 Density / Volume
    MakeVaporisationEnthalpyCalc,       // 19 Enthalpy of Vapourisation
    MakeViscosityCalc,                  // 21 Viscosity
    MakeHeatCapacityCalc,               // 22 Heat Capacity @ Const Press
    MakeThermalConductivityCalc,        // 23 Thermal Conductivity
    MakeSurfaceTensionCalc,             // 24 Surface Tension
    MakeThermalExpansionCalc,           // 25 Thermal Expansion Coefficient
    MakeIsothermalCompressibilityCalc,  // 26 Isothermal Compressibility
    MakeIsentropicCoeffCalc,            // 27 Isentropic Expansion Coeff
    MakeCompressibilityFactorCalc,      // 28 Compressibility Factor "Z"
    MakeDielectricConstantCalc,         // 29 Dielectric Constant
    MakeRefractiveIndexCalc,            // 30 Refractive Index
    MakeMeltingPointCalc,               // 31 Melting Point (@ pressure)
    MakeBoilingPointCalc,               // 32 Boiling Point (@ pressure)
};

}  // namespace

CalculatorSet::CalculatorSet(CalcContext& ctx) : ctx_(ctx) {
  for (int i = 0; i < kCalculatorCount; ++i)
    if (kFactories[i] != nullptr) calculators_[i] = kFactories[i](*this, ctx_);
}

CalculatorSet::~CalculatorSet() = default;

int CalculatorSet::CreationIndexOf(int item) {
  for (int i = 0; i < kCalculatorCount; ++i)
    if (kItemOfCreationIndex[i] == item) return i;
  return -1;
}

PropertyCalculator* CalculatorSet::VarPropCalc(int item) const {
  return Created(CreationIndexOf(item));
}

PropertyCalculator* CalculatorSet::Created(int index) const {
  if (index < 0 || index >= kCalculatorCount) return nullptr;
  return calculators_[index].get();
}

}  // namespace tulo
