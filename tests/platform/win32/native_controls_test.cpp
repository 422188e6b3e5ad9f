#include "platform/win32/native_controls.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

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
      {ControlId::lblTitle1, L"Static", SS_LEFT, SS_TYPEMASK, false},
      {ControlId::lblDay, L"Static", SS_RIGHT, SS_TYPEMASK, false},
      {ControlId::lblMonth, L"Static", SS_CENTER, SS_TYPEMASK, false},
  };
  for (const auto& c : cases) {
    const NativeControl native = nativeControl(controlSpec(c.id));
    EXPECT_EQ(native.className, c.className) << controlSpec(c.id).name;
    EXPECT_EQ(native.style & c.typeMask, c.type) << controlSpec(c.id).name;
    EXPECT_EQ((native.style & WS_TABSTOP) != 0, c.tabStop) << controlSpec(c.id).name;
    EXPECT_EQ(native.style & (WS_CHILD | WS_VISIBLE), DWORD{WS_CHILD | WS_VISIBLE});
  }
}

TEST(NativeControls, TextBoxesScrollAndHaveASunkenEdge) {
  for (ControlId id : {ControlId::txtNumber, ControlId::txtYrTo}) {
    const NativeControl native = nativeControl(controlSpec(id));
    EXPECT_TRUE(native.style & ES_AUTOHSCROLL);
    EXPECT_EQ(native.exStyle, DWORD{WS_EX_CLIENTEDGE});
  }
}

TEST(NativeControls, OnlyLabelsWithATooltipSeeThePointer) {
  for (const ControlSpec& row : controlTable()) {
    if (row.kind != ControlKind::Label) continue;
    EXPECT_EQ((nativeControl(row).style & SS_NOTIFY) != 0, row.tooltip != nullptr) << row.name;
  }
}

TEST(NativeControls, TheOptionPairAndTheNumberFieldBetweenThemFormOneGroup) {
  std::set<ControlId> continuing;
  for (const ControlSpec& row : controlTable()) {
    EXPECT_EQ(startsGroup(row), (nativeControl(row).style & WS_GROUP) != 0) << row.name;
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
