#pragma once
// Factories of the built-in calculators (each defined beside its correlation).

#include <memory>

#include "props/CalculatorTable.h"

namespace tulo {

using CalculatorFactory = std::unique_ptr<PropertyCalculator> (*)(CalculatorTable&, CalcContext&);

std::unique_ptr<PropertyCalculator> MakeSatPressureCalc(CalculatorTable& table, CalcContext& ctx);
std::unique_ptr<PropertyCalculator> MakeSatTemperatureCalc(CalculatorTable& table, CalcContext& ctx);
std::unique_ptr<PropertyCalculator> MakeEnthalpyCalc(CalculatorTable& table, CalcContext& ctx);
std::unique_ptr<PropertyCalculator> MakeEntropyCalc(CalculatorTable& table, CalcContext& ctx);
std::unique_ptr<PropertyCalculator> MakeInternalEnergyCalc(CalculatorTable& table, CalcContext& ctx);
std::unique_ptr<PropertyCalculator> MakeDensityCalc(CalculatorTable& table, CalcContext& ctx);
std::unique_ptr<PropertyCalculator> MakeVaporisationEnthalpyCalc(CalculatorTable& table, CalcContext& ctx);
std::unique_ptr<PropertyCalculator> MakeThermalExpansionCalc(CalculatorTable& table, CalcContext& ctx);
std::unique_ptr<PropertyCalculator> MakeCompressibilityFactorCalc(CalculatorTable& table, CalcContext& ctx);
std::unique_ptr<PropertyCalculator> MakeViscosityCalc(CalculatorTable& table, CalcContext& ctx);
std::unique_ptr<PropertyCalculator> MakeHeatCapacityCalc(CalculatorTable& table, CalcContext& ctx);
std::unique_ptr<PropertyCalculator> MakeThermalConductivityCalc(CalculatorTable& table, CalcContext& ctx);
std::unique_ptr<PropertyCalculator> MakeSurfaceTensionCalc(CalculatorTable& table, CalcContext& ctx);
std::unique_ptr<PropertyCalculator> MakeIsothermalCompressibilityCalc(CalculatorTable& table,
                                                                      CalcContext& ctx);
std::unique_ptr<PropertyCalculator> MakeIsentropicCoeffCalc(CalculatorTable& table, CalcContext& ctx);
std::unique_ptr<PropertyCalculator> MakeDielectricConstantCalc(CalculatorTable& table, CalcContext& ctx);
std::unique_ptr<PropertyCalculator> MakeRefractiveIndexCalc(CalculatorTable& table, CalcContext& ctx);
std::unique_ptr<PropertyCalculator> MakeMeltingPointCalc(CalculatorTable& table, CalcContext& ctx);
std::unique_ptr<PropertyCalculator> MakeBoilingPointCalc(CalculatorTable& table, CalcContext& ctx);

}  // namespace tulo
