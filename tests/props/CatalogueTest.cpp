#include <gtest/gtest.h>

#include <set>

#include "common/Real6.h"
#include "common/Text.h"
#include "props/CalculatorSet.h"
#include "props/Catalogue.h"

namespace tulo {
namespace {

TEST(Catalogue, ItemsAndQuantities) {
  EXPECT_EQ(PropName(Item::kMolecularWeight), "Molecular Weight");
  EXPECT_EQ(PropName(Item::kCriticalCompressibility), "Critical Compress. Factor \"Z\"");
  EXPECT_EQ(PropName(Item::kVaporisationEnthalpy), "Enthalpy of Vapourisation");
  EXPECT_EQ(PropName(Item::kPressure), "Pressure");
  EXPECT_EQ(PropName(static_cast<Item>(36)), "");
  for (int code = 0; code < kItemCount; ++code)
    EXPECT_LE(Utf8Length(PropName(*ItemFromCode(code))), 30u) << code;
  EXPECT_EQ(PropQuantity(Item::kDipoleMoment), kDipoleMoment);
  EXPECT_EQ(PropQuantity(Item::kCompressibilityFactor), kDimensionless);
  EXPECT_EQ(PropQuantity(Item::kTemperature), kTemperature);
  EXPECT_EQ(FixPropValue(Item::kCriticalTemperature), static_cast<double>(R6(647.29L)));
  EXPECT_EQ(FixPropValue(Item::kEnthalpyOfFormation), -13420.0);
  EXPECT_EQ(FixPropValue(Item::kEnthalpy), 0.0);
  // The codes are data (the configuration file, tulo-calc's arguments): they never move.
  EXPECT_EQ(ItemCode(Item::kEnthalpy), 15);
  EXPECT_EQ(ItemCode(Item::kSaturationTemperature), 33);
  EXPECT_EQ(ItemCode(Item::kTemperature), 34);
  EXPECT_EQ(ItemCode(Item::kPressure), 35);
  EXPECT_FALSE(ItemFromCode(36).has_value());
  EXPECT_EQ(FixedItems().size(), 15u);
  EXPECT_EQ(VariableItems().size(), 19u);
}

TEST(Catalogue, RowSets) {
  EXPECT_EQ(RowSet(Condition::kSubCooledLiquid, true).size(), 15u);
  EXPECT_EQ(RowSet(Condition::kSuperheated, true).size(), 11u);
  EXPECT_EQ(RowSet(Condition::kSatLiquidVapour, true).size(), 16u);
  EXPECT_EQ(WetRowSet().size(), 6u);
  EXPECT_TRUE(RowSet(Condition::kNone, true).empty());
  for (Condition condition : kConditions) {
    for (bool full : {true, false}) {
      auto rows = RowSet(condition, full);
      std::set<Item> seen(rows.begin(), rows.end());
      EXPECT_EQ(seen.size(), rows.size());
      EXPECT_FALSE(seen.count(Item::kSaturationTemperature)) << "Saturation Temperature is in no grid";
      for (std::size_t i = 1; i < rows.size(); ++i) EXPECT_LT(rows[i - 1], rows[i]);
    }
  }
  auto saturated = RowSet(Condition::kSatLiquidVapour, true);
  EXPECT_FALSE(std::set<Item>(saturated.begin(), saturated.end()).count(Item::kSaturationPressure));
}

// Every variable item has its calculator, and the calculator answers for that item.
TEST(Catalogue, EveryVariableItemHasItsCalculator) {
  UnitSettings units;
  double quality = 0.0;
  Condition condition = Condition::kSubCooledLiquid;
  CalcContext ctx{units, quality, condition};
  CalculatorSet set(ctx);
  for (Item item : VariableItems()) {
    const PropertyCalculator* calc = set.VarPropCalc(item);
    ASSERT_NE(calc, nullptr) << PropName(item);
    EXPECT_EQ(calc->GetItem(), item);
  }
  for (Item item : FixedItems()) EXPECT_EQ(set.VarPropCalc(item), nullptr);
  EXPECT_EQ(set.VarPropCalc(Item::kTemperature), nullptr);
}

}  // namespace
}  // namespace tulo
