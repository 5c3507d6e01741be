#pragma once
// Factories of the concrete calculators (each defined beside its correlation).

#include "props/CalculatorSet.h"

namespace tulo {

std::unique_ptr<PropertyCalculator> MakeSatPressureCalc(CalculatorSet& set, CalcContext& ctx);
std::unique_ptr<PropertyCalculator> MakeSatTemperatureCalc(CalculatorSet& set, CalcContext& ctx);
std::unique_ptr<PropertyCalculator> MakeEnthalpyCalc(CalculatorSet& set, CalcContext& ctx);
std::unique_ptr<PropertyCalculator> MakeEntropyCalc(CalculatorSet& set, CalcContext& ctx);
std::unique_ptr<PropertyCalculator> MakeInternalEnergyCalc(CalculatorSet& set, CalcContext& ctx);
std::unique_ptr<PropertyCalculator> MakeDensityCalc(CalculatorSet& set, CalcContext& ctx);
std::unique_ptr<PropertyCalculator> MakeVaporisationEnthalpyCalc(CalculatorSet& set, CalcContext& ctx);
std::unique_ptr<PropertyCalculator> MakeThermalExpansionCalc(CalculatorSet& set, CalcContext& ctx);
std::unique_ptr<PropertyCalculator> MakeCompressibilityFactorCalc(CalculatorSet& set, CalcContext& ctx);
std::unique_ptr<PropertyCalculator> MakeViscosityCalc(CalculatorSet& set, CalcContext& ctx);
std::unique_ptr<PropertyCalculator> MakeHeatCapacityCalc(CalculatorSet& set, CalcContext& ctx);
std::unique_ptr<PropertyCalculator> MakeThermalConductivityCalc(CalculatorSet& set, CalcContext& ctx);
std::unique_ptr<PropertyCalculator> MakeSurfaceTensionCalc(CalculatorSet& set, CalcContext& ctx);
std::unique_ptr<PropertyCalculator> MakeIsothermalCompressibilityCalc(CalculatorSet& set, CalcContext& ctx);
std::unique_ptr<PropertyCalculator> MakeIsentropicCoeffCalc(CalculatorSet& set, CalcContext& ctx);
std::unique_ptr<PropertyCalculator> MakeDielectricConstantCalc(CalculatorSet& set, CalcContext& ctx);
std::unique_ptr<PropertyCalculator> MakeRefractiveIndexCalc(CalculatorSet& set, CalcContext& ctx);
std::unique_ptr<PropertyCalculator> MakeMeltingPointCalc(CalculatorSet& set, CalcContext& ctx);
std::unique_ptr<PropertyCalculator> MakeBoilingPointCalc(CalculatorSet& set, CalcContext& ctx);

}  // namespace tulo
