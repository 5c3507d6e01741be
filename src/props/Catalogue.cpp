#include "props/Catalogue.h"

#include "common/Real6.h"

namespace tulo {
namespace {

struct Item {
  const char* name;
  std::uint8_t quantity;
  long double fixedValue;  // internal units; items 0..14 only
};

constexpr Item kItems[kItemCount] = {
    {"Molecular Weight", 12, 18.015L},
    {"Normal Melting Point", 0, 273.15L},
    {"Normal Boiling Point", 0, 373.15L},
    {"Critical Temperature", 0, 647.29L},
    {"Critical Pressure", 1, 22090.0L},
    {"Critical Density / Volume", 2, 315.45L},
    {"Critical Compress. Factor \"Z\"", 12, 0.2344L},
    {"Standard Enthalpy of Formation", 3, -13420.0L},
    {"Std Gibbs Energy of Formation", 3, -12690.0L},
    {"Pitzers Acentric Factor", 12, 0.344L},
    {"Dipole Moment", 5, 1.8L},
    {"Triple Point Temperature", 0, 273.16L},
    {"Triple Point Pressure", 1, 0.6113L},
    {"Enthalpy of Fusion at NMP", 3, 333.4L},
    {"Refractive Index of Ice at NMP", 12, 1.309L},
    {"Enthalpy", 3, 0},
    {"Entropy", 4, 0},
    {"Internal Energy", 3, 0},
    {"Density / Volume", 2, 0},
    {"Enthalpy of Vapourisation", 3, 0},
    {"Saturation Pressure", 1, 0},
    {"Viscosity", 6, 0},
    {"Heat Capacity @ Const Press", 7, 0},
    {"Thermal Conductivity", 8, 0},
    {"Surface Tension", 9, 0},
    {"Thermal Expansion Coefficient", 10, 0},
    {"Isothermal Compressibility", 11, 0},
    {"Isentropic Expansion Coeff", 12, 0},
    {"Compressibility Factor \"Z\"", 12, 0},
    {"Dielectric Constant", 12, 0},
    {"Refractive Index", 12, 0},
    {"Melting Point (@ pressure)", 0, 0},
    {"Boiling Point (@ pressure)", 0, 0},
    {"Saturation Temperature", 0, 0},
    {"Temperature", 0, 0},
    {"Pressure", 1, 0},
};

constexpr std::uint8_t kSolidFull[] = {15, 16, 17, 18, 20, 22, 23, 25, 31};
constexpr std::uint8_t kSolidShort[] = {15, 16, 18, 20, 22};
constexpr std::uint8_t kLiquidFull[] = {15, 16, 17, 18, 20, 21, 22, 23, 24, 25, 26, 29, 30, 31, 32};
constexpr std::uint8_t kLiquidShort[] = {15, 16, 18, 20, 21, 22, 32};
constexpr std::uint8_t kVapourFull[] = {15, 16, 17, 18, 20, 21, 22, 23, 27, 28, 32};
constexpr std::uint8_t kVapourShort[] = {15, 16, 18, 20, 21, 22, 32};
constexpr std::uint8_t kSolidVapourFull[] = {15, 16, 17, 18, 19, 21, 22, 23, 25, 27, 28, 31};
constexpr std::uint8_t kSolidVapourShort[] = {15, 16, 18, 19, 21, 22};
constexpr std::uint8_t kLiquidVapourFull[] = {15, 16, 17, 18, 19, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31};
constexpr std::uint8_t kLiquidVapourShort[] = {15, 16, 18, 19, 21, 22};

}  // namespace

std::string PropName(int item) {
  return item >= 0 && item < kItemCount ? kItems[item].name : "";
}

int PropQuantity(int item) {
  return item >= 0 && item < kItemCount ? kItems[item].quantity : 12;
}

double FixPropValue(int item) {
  if (item < kFirstFixedItem || item > kLastFixedItem) return 0.0;
  return Real6::From(kItems[item].fixedValue)->Value();
}

std::span<const std::uint8_t> RowSet(int condition, bool full) {
  switch (condition) {
    case 3:
      return full ? std::span<const std::uint8_t>(kSolidFull) : kSolidShort;
    case 4:
      return full ? std::span<const std::uint8_t>(kSolidVapourFull) : kSolidVapourShort;
    case 5:
      return full ? std::span<const std::uint8_t>(kLiquidFull) : kLiquidShort;
    case 6:
      return full ? std::span<const std::uint8_t>(kLiquidVapourFull) : kLiquidVapourShort;
    case 7:
    case 8:
      return full ? std::span<const std::uint8_t>(kVapourFull) : kVapourShort;
    default:
      return {};
  }
}

std::span<const std::uint8_t> WetRowSet() {
  return kLiquidVapourShort;
}

}  // namespace tulo
