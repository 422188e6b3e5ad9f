#include "app/control_table.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "app/pixel_layout.h"

namespace brask {
namespace {

TEST(ControlTable, EveryControlOnceInEnumerationOrder) {
  const auto& table = controlTable();
  for (std::size_t i = 0; i < table.size(); ++i) {
    EXPECT_EQ(static_cast<std::size_t>(table[i].id), i) << table[i].name;
  }
}

TEST(ControlTable, TabIndexesZeroToTwentyNineEachOnce) {
  std::set<int> indexes;
  for (const auto& row : controlTable()) indexes.insert(row.tabIndex);
  EXPECT_EQ(indexes.size(), 30u);
  EXPECT_EQ(*indexes.begin(), 0);
  EXPECT_EQ(*indexes.rbegin(), 29);
}

TEST(ControlTable, ContainersAreGroupBoxesAndHoldTheirControls) {
  for (const auto& row : controlTable()) {
    if (!row.container) continue;
    const ControlSpec& box = controlSpec(*row.container);
    EXPECT_EQ(box.kind, ControlKind::GroupBox) << row.name;
    EXPECT_LE(row.left + row.width, box.width) << row.name;
    EXPECT_LE(row.top + row.height, box.height) << row.name;
  }
}

TEST(ControlTable, WindowPositionsAddTheGroupBoxOrigin) {
  struct Case {
    ControlId id;
    int left, top;
  } cases[] = {{ControlId::chkSystem, 240, 1200}, {ControlId::chkWarning, 2040, 1800},
               {ControlId::txtYrTo, 3120, 3600}, {ControlId::cmdExit, 3720, 1560}};
  for (const Case& c : cases) {
    EXPECT_EQ(windowLeft(controlSpec(c.id)), c.left) << controlSpec(c.id).name;
    EXPECT_EQ(windowTop(controlSpec(c.id)), c.top) << controlSpec(c.id).name;
  }
}

// A screen reader tells the controls apart by their names: none empty, none twice, no "&".
TEST(ControlTable, EveryControlHasAnAccessibleNameOfItsOwn) {
  std::set<std::wstring> names;
  for (const auto& row : controlTable()) {
    const std::wstring name = accessibleName(row);
    EXPECT_FALSE(name.empty()) << row.name;
    EXPECT_EQ(name.find(L'&'), std::wstring::npos) << row.name;
    EXPECT_TRUE(names.insert(accessibleNameWithDescription(row)).second) << row.name;
  }
}

TEST(ControlTable, TwipsRoundToTheNearestPixel) {
  const std::pair<int, int> cases[] = {{4440, 296}, {4335, 289}, {7, 0}, {8, 1}, {255, 17}, {1455, 97}, {1600, 107}};
  for (const auto& [twips, pixels] : cases) EXPECT_EQ(twipsToPixels(twips), pixels) << twips;
}

}  // namespace
}  // namespace brask
