#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "common/Real6.h"
#include "common/Text.h"
#include "props/BuiltInSet.h"
#include "props/Catalogue.h"

namespace tulo {
namespace {

TEST(Catalogue, ItemsAndQuantities) {
  EXPECT_EQ(PropName(Item::kMolecularWeight), "Molecular Weight");
  EXPECT_EQ(PropName(Item::kCriticalCompressibility), "Critical Compress. Factor \"Z\"");
  EXPECT_EQ(PropName(Item::kVaporisationEnthalpy), "Enthalpy of Vapourisation");
  EXPECT_EQ(PropName(Item::kPressure), "Pressure");
  EXPECT_EQ(PropName(static_cast<Item>(42)), "");
  for (int code = 0; code < kItemCount; ++code)
    EXPECT_LE(Utf8Length(PropName(*ItemFromCode(code))), 30u) << code;
  EXPECT_EQ(PropQuantity(Item::kDipoleMoment), kDipoleMoment);
  EXPECT_EQ(PropQuantity(Item::kCompressibilityFactor), kDimensionless);
  EXPECT_EQ(PropQuantity(Item::kTemperature), kTemperature);
  // The codes are data (the configuration file, tulo-calc's arguments): they never move.
  EXPECT_EQ(ItemCode(Item::kEnthalpy), 15);
  EXPECT_EQ(ItemCode(Item::kSaturationTemperature), 33);
  EXPECT_EQ(ItemCode(Item::kTemperature), 34);
  EXPECT_EQ(ItemCode(Item::kPressure), 35);
  EXPECT_EQ(ItemCode(Item::kSpeedOfSound), 36);
  EXPECT_EQ(ItemCode(Item::kJouleThomson), 41);
  EXPECT_FALSE(ItemFromCode(42).has_value());
  EXPECT_EQ(FixedItems().size(), 15u);
  EXPECT_EQ(VariableItems().size(), 25u);
}

// Keys are what scripts and column headers carry: one per item, in lower case with underscores,
// and each reads back as its item.
TEST(Catalogue, KeysReadBackAsTheirItems) {
  std::set<std::string> seen;
  for (int code = 0; code < kItemCount; ++code) {
    const Item item = *ItemFromCode(code);
    const std::string key = ItemKey(item);
    ASSERT_FALSE(key.empty()) << code;
    EXPECT_TRUE(seen.insert(key).second) << key;
    EXPECT_TRUE(std::all_of(key.begin(), key.end(), [](char c) {
      return (c >= 'a' && c <= 'z') || c == '_';
    })) << key;
    EXPECT_EQ(ItemFromKey(key), item) << key;
    EXPECT_EQ(ItemFromKey(std::to_string(code)), item) << code;
  }
  EXPECT_EQ(ItemKey(static_cast<Item>(kItemCount)), "");
}

TEST(Catalogue, ItemFromKey) {
  const struct {
    const char* text;
    std::optional<Item> item;
  } cases[] = {
      {"enthalpy", Item::kEnthalpy},
      {"internal_energy", Item::kInternalEnergy},
      {"speed_of_sound", Item::kSpeedOfSound},
      {"joule_thomson", Item::kJouleThomson},
      {" \tdensity ", Item::kDensity},
      {"h", Item::kEnthalpy},
      {"rho", Item::kDensity},
      {"lambda", Item::kThermalConductivity},
      {"mu", Item::kViscosity},
      {"nu", Item::kKinematicViscosity},
      {"cp", Item::kHeatCapacity},
      {"pr", Item::kPrandtlNumber},
      {"psat", Item::kSaturationPressure},
      {"15", Item::kEnthalpy},
      {"41", Item::kJouleThomson},
      {"0", Item::kMolecularWeight},
      {"temperature", Item::kTemperature},
      // Nothing else.
      {"", std::nullopt},
      {"  ", std::nullopt},
      {"42", std::nullopt},
      {"-1", std::nullopt},
      {"+15", std::nullopt},
      {"15.0", std::nullopt},
      {"1e1", std::nullopt},
      {"99999999999999999999", std::nullopt},
      {"enthalpy2", std::nullopt},
      // Letters in any case, '-' for '_'; nothing else of the display names.
      {"Enthalpy", Item::kEnthalpy},
      {"RHO", Item::kDensity},
      {"Pr", Item::kPrandtlNumber},
      {"speed-of-sound", Item::kSpeedOfSound},
      {"Internal-Energy", Item::kInternalEnergy},
      {"JOULE_thomson", Item::kJouleThomson},
      {"internal energy", std::nullopt},
      {"internal__energy", std::nullopt},
      {"internalenergy", std::nullopt},
      {"Enthalpy of Vapourisation", std::nullopt},
      {"enthalpy,entropy", std::nullopt},
      {"-h", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(ItemFromKey(c.text), c.item) << '"' << c.text << '"';
  // An embedded NUL is not the end of the key.
  EXPECT_EQ(ItemFromKey(std::string_view("h\0", 2)), std::nullopt);
}

TEST(BuiltInSet, FixedValues) {
  const CorrelationSet& set = BuiltInCorrelations();
  EXPECT_EQ(set.FixedValue(Item::kCriticalTemperature), static_cast<double>(R6(647.29L)));
  EXPECT_EQ(set.FixedValue(Item::kEnthalpyOfFormation), -13420.0);
  EXPECT_EQ(set.FixedValue(Item::kEnthalpy), 0.0);
  EXPECT_TRUE(set.Storage().RoundsToReal6());
}

TEST(BuiltInSet, RowSets) {
  const CorrelationSet& set = BuiltInCorrelations();
  EXPECT_EQ(set.Layout().RowSet(Condition::kSubCooledLiquid, true).size(), 15u);
  EXPECT_EQ(set.Layout().RowSet(Condition::kSuperheated, true).size(), 11u);
  EXPECT_EQ(set.Layout().RowSet(Condition::kSatLiquidVapour, true).size(), 16u);
  EXPECT_EQ(set.Layout().WetRowSet().size(), 6u);
  EXPECT_TRUE(set.Layout().RowSet(Condition::kNone, true).empty());
  for (Condition condition : kConditions) {
    for (bool full : {true, false}) {
      auto rows = set.Layout().RowSet(condition, full);
      std::set<Item> seen(rows.begin(), rows.end());
      EXPECT_EQ(seen.size(), rows.size());
      EXPECT_FALSE(seen.count(Item::kSaturationTemperature)) << "Saturation Temperature is in no grid";
      for (std::size_t i = 1; i < rows.size(); ++i) EXPECT_LT(rows[i - 1], rows[i]);
    }
  }
  auto saturated = set.Layout().RowSet(Condition::kSatLiquidVapour, true);
  EXPECT_FALSE(std::set<Item>(saturated.begin(), saturated.end()).count(Item::kSaturationPressure));
}

// Every variable item has its calculator, and the calculator answers for that item.
TEST(BuiltInSet, EveryVariableItemHasItsCalculator) {
  double quality = 0.0;
  Condition condition = Condition::kSubCooledLiquid;
  CalcContext ctx{quality, condition};
  std::unique_ptr<CalculatorTable> table = BuiltInCorrelations().MakeCalculators(ctx);
  EXPECT_EQ(&table->Set(), &BuiltInCorrelations());
  for (Item item : VariableItems()) {
    const PropertyCalculator* calc = table->VarPropCalc(item);
    // The items after the saturation temperature are the IAPWS standard's own.
    if (ItemCode(item) > ItemCode(Item::kSaturationTemperature)) {
      EXPECT_EQ(calc, nullptr) << PropName(item);
      continue;
    }
    ASSERT_NE(calc, nullptr) << PropName(item);
    EXPECT_EQ(calc->GetItem(), item);
  }
  for (Item item : FixedItems()) EXPECT_EQ(table->VarPropCalc(item), nullptr);
  EXPECT_EQ(table->VarPropCalc(Item::kTemperature), nullptr);
}

}  // namespace
}  // namespace tulo
