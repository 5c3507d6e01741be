// The conversions over arrays against the one-value calls, bitwise: every preset, both standards,
// each quantity a property is shown in, values from -0 to beyond what a unit can hold, every status.

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "props/BuiltInSet.h"
#include "results/DisplayValue.h"
#include "results/IapwsSet.h"
#include "units/Presets.h"

namespace tulo {
namespace {

bool Same(double a, double b) {
  return std::memcmp(&a, &b, sizeof a) == 0 || (std::isnan(a) && std::isnan(b));
}

TEST(DisplayValue, ArraysAreTheOneValueConversions) {
  constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
  const std::vector<double> values = {-0.0,         0.0,  1e-300, 273.15, 373.124, -40.0,
                                      2675.5713437, 1e30, 3e38,   -1e300, kNaN};
  const std::vector<Status> statuses = {Status::kValid, Status::kNotGiven, Status::kOutOfRange};
  for (const CorrelationSet* set : {&IapwsCorrelations(), &BuiltInCorrelations()}) {
    for (UnitPreset preset :
         {UnitPreset::kSI, UnitPreset::kImperial, UnitPreset::kCustomary, UnitPreset::kEuropean}) {
      UnitSettings units;
      units.InitUnits(PresetSelection(preset));
      for (Quantity q : {kTemperature, kPressure, kDensity, kEnthalpyQ, kEntropyQ, kViscosityQ}) {
        const UnitConversion unit(units, *set, q);
        std::vector<double> value, internal(values.size()), shown;
        std::vector<Status> status;
        for (Status s : statuses)
          for (double x : values) value.push_back(x), status.push_back(s);
        shown.resize(value.size());
        std::vector<Status> shownStatus(value.size());
        unit.ToInternalAll(values, internal);
        unit.DisplayAll(value, status, shown, shownStatus);
        for (std::size_t i = 0; i < values.size(); ++i)
          EXPECT_TRUE(Same(internal[i], static_cast<double>(unit.ToInternal(values[i])))) << values[i];
        for (std::size_t i = 0; i < value.size(); ++i) {
          const DisplayValue want = unit.Display({value[i], status[i]});
          EXPECT_TRUE(Same(shown[i], want.value)) << value[i] << " in " << static_cast<int>(q);
          EXPECT_EQ(shownStatus[i], want.status) << value[i] << " in " << static_cast<int>(q);
        }
      }
    }
  }
}

}  // namespace
}  // namespace tulo
