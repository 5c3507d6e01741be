#include <gtest/gtest.h>

#include <set>

#include "common/Real6.h"
#include "common/Text.h"
#include "props/CalculatorSet.h"
#include "props/Catalogue.h"

namespace tulo {
namespace {

TEST(Catalogue, ItemsAndQuantities) {
  EXPECT_EQ(PropName(0), "Molecular Weight");
  EXPECT_EQ(PropName(6), "Critical Compress. Factor \"Z\"");
  EXPECT_EQ(PropName(19), "Enthalpy of Vapourisation");
  EXPECT_EQ(PropName(35), "Pressure");
  EXPECT_EQ(PropName(36), "");
  for (int item = 0; item < kItemCount; ++item) EXPECT_LE(Utf8Length(PropName(item)), 30u) << item;
  EXPECT_EQ(PropQuantity(10), 5);
  EXPECT_EQ(PropQuantity(28), 12);
  EXPECT_EQ(PropQuantity(34), 0);
  EXPECT_EQ(FixPropValue(3), static_cast<double>(R6(647.29L)));
  EXPECT_EQ(FixPropValue(7), -13420.0);
  EXPECT_EQ(FixPropValue(15), 0.0);
}

TEST(Catalogue, RowSets) {
  EXPECT_EQ(RowSet(5, true).size(), 15u);
  EXPECT_EQ(RowSet(7, true).size(), 11u);
  EXPECT_EQ(RowSet(6, true).size(), 16u);
  EXPECT_EQ(WetRowSet().size(), 6u);
  EXPECT_TRUE(RowSet(2, true).empty());
  for (int condition = 3; condition <= 8; ++condition) {
    for (bool full : {true, false}) {
      auto rows = RowSet(condition, full);
      std::set<int> seen(rows.begin(), rows.end());
      EXPECT_EQ(seen.size(), rows.size());
      EXPECT_FALSE(seen.count(33)) << "Saturation Temperature is in no grid";
      for (std::size_t i = 1; i < rows.size(); ++i) EXPECT_LT(rows[i - 1], rows[i]);
    }
  }
  EXPECT_FALSE(std::set<int>(RowSet(6, true).begin(), RowSet(6, true).end()).count(20));
}

TEST(Catalogue, CreationOrderMapsItems) {
  const int expected[] = {2, 3, 4, 5, 6, 0, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 1};
  for (int item = 15; item <= 33; ++item)
    EXPECT_EQ(CalculatorSet::CreationIndexOf(item), expected[item - 15]);
  EXPECT_EQ(CalculatorSet::CreationIndexOf(14), -1);
  EXPECT_EQ(CalculatorSet::CreationIndexOf(34), -1);
}

}  // namespace
}  // namespace tulo
