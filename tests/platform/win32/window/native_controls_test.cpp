#include "platform/win32/window/native_controls.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace brask {
namespace {

TEST(NativeControls, EachKindIsTheMatchingWin32Control) {
  const struct {
    ControlId id;
    std::wstring className;
    DWORD type;  // the bits of the control's own type and alignment
    DWORD typeMask;
    bool tabStop;
  } cases[] = {
      {ControlId::chkApplication, L"Button", BS_AUTOCHECKBOX, BS_TYPEMASK, true},
      {ControlId::optNumber, L"Button", BS_AUTORADIOBUTTON, BS_TYPEMASK, true},
      {ControlId::cmdRun, L"Button", BS_PUSHBUTTON, BS_TYPEMASK, true},
      {ControlId::cmdExit, L"Button", BS_PUSHBUTTON, BS_TYPEMASK, true},
      {ControlId::fraEvents, L"Button", BS_GROUPBOX, BS_TYPEMASK, false},
      {ControlId::txtNumber, L"Edit", ES_LEFT, ES_CENTER | ES_RIGHT, true},
      {ControlId::txtDayFrom, L"Edit", ES_CENTER, ES_CENTER | ES_RIGHT, true},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(nativeControl(controlSpec(c.id))) << controlSpec(c.id).name;
    const NativeControl native = *nativeControl(controlSpec(c.id));
    EXPECT_EQ(native.className, c.className) << controlSpec(c.id).name;
    EXPECT_EQ(native.style & c.typeMask, c.type) << controlSpec(c.id).name;
    EXPECT_EQ((native.style & WS_TABSTOP) != 0, c.tabStop) << controlSpec(c.id).name;
    EXPECT_EQ(native.style & (WS_CHILD | WS_VISIBLE), DWORD{WS_CHILD | WS_VISIBLE});
  }
}

TEST(NativeControls, TextBoxesScrollAndHaveASunkenEdge) {
  for (ControlId id : {ControlId::txtNumber, ControlId::txtYrTo}) {
    const NativeControl native = *nativeControl(controlSpec(id));
    EXPECT_TRUE(native.style & ES_AUTOHSCROLL);
    EXPECT_EQ(native.exStyle, DWORD{WS_EX_CLIENTEDGE});
  }
}

TEST(NativeControls, LabelsAreNoWindowsButOneLineOfTextAlignedAsTheTableSays) {
  const struct {
    ControlId id;
    UINT alignment;
  } cases[] = {{ControlId::lblTitle1, DT_LEFT},
               {ControlId::Label1, DT_LEFT},
               {ControlId::lblDay, DT_RIGHT},
               {ControlId::lblMonth, DT_CENTER},
               {ControlId::lblYear, DT_CENTER}};
  for (const auto& c : cases) {
    const ControlSpec& row = controlSpec(c.id);
    EXPECT_FALSE(nativeControl(row)) << row.name;
    const UINT format = labelFormat(row);
    EXPECT_EQ(format & (DT_CENTER | DT_RIGHT), c.alignment) << row.name;
    EXPECT_TRUE(format & DT_SINGLELINE) << row.name;
    EXPECT_FALSE(format & (DT_WORDBREAK | DT_END_ELLIPSIS | DT_VCENTER | DT_BOTTOM)) << row.name;
  }
}

// Version and Languages, whose words no other control carries.
TEST(NativeControls, OnlyTheLabelsWithATooltipHaveAStaticTextControlToReadThemBy) {
  std::set<ControlId> readable;
  for (const ControlSpec& row : controlTable()) {
    if (readableLabel(row)) readable.insert(row.id);
  }
  EXPECT_EQ(readable, (std::set<ControlId>{ControlId::Label1, ControlId::lblLanguages}));
}

// Only group boxes are kept from drawing over the windows above them: their captions
// reach into other group boxes, and a themed one draws its parent's surface behind it.
TEST(NativeControls, OnlyGroupBoxesClipTheirSiblings) {
  for (const ControlSpec& row : controlTable()) {
    if (const auto native = nativeControl(row)) {
      EXPECT_EQ((native->style & WS_CLIPSIBLINGS) != 0, row.kind == ControlKind::GroupBox)
          << row.name;
    }
  }
}

TEST(NativeControls, TheZOrderIsTheTabOrderWithTheGroupBoxesBeneathTheUpperFirst) {
  const std::vector<const ControlSpec*> order = windowsInZOrder();
  std::vector<std::wstring> names;
  for (const ControlSpec* row : order) names.emplace_back(row->name);
  const std::vector<std::wstring> expected = {
      L"chkApplication", L"chkSystem", L"chkCritical", L"chkError", L"chkInformation",
      L"chkWarning",     L"optNumber", L"txtNumber",   L"optDate",  L"txtDayFrom",
      L"txtMthFrom",     L"txtYrFrom", L"txtDayTo",    L"txtMthTo", L"txtYrTo",
      L"cmdRun",         L"cmdExit",   L"fraLog",      L"fraType",  L"fraEvents"};
  EXPECT_EQ(names, expected);
}

TEST(NativeControls, TheOptionPairAndTheNumberFieldBetweenThemFormOneGroup) {
  std::set<ControlId> continuing;
  for (const ControlSpec& row : controlTable()) {
    if (const auto native = nativeControl(row)) {
      EXPECT_EQ(startsGroup(row), (native->style & WS_GROUP) != 0) << row.name;
    }
    if (!startsGroup(row)) continuing.insert(row.id);
  }
  EXPECT_EQ(continuing, (std::set<ControlId>{ControlId::txtNumber, ControlId::optDate}));
}

TEST(NativeControls, IdentifiersAreDistinctAndClearOfEnterAndEscape) {
  std::set<int> identifiers;
  for (const ControlSpec& row : controlTable()) {
    const int identifier = controlIdentifier(row.id);
    EXPECT_NE(identifier, IDOK) << row.name;
    EXPECT_NE(identifier, IDCANCEL) << row.name;
    identifiers.insert(identifier);
  }
  EXPECT_EQ(identifiers.size(), controlTable().size());
}

}  // namespace
}  // namespace brask
