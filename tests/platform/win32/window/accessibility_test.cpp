// frmMain as a screen reader reads it: each control's object from oleacc's standard
// proxies, asked in the window's own process, held to the control table.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>
#include <oleacc.h>

#include <stdexcept>

#include "platform/win32/window/dpi_awareness.h"
#include "platform/win32/window/main_window.h"
#include "platform/win32/window/native_controls.h"

namespace brask {
namespace {

// What Windows' proxies read of each kind: its role, and the states it has.
struct Expected {
  ControlKind kind;
  LONG role;
  LONG state;
};
constexpr Expected kOnWindows[] = {
    {ControlKind::TextBox, ROLE_SYSTEM_TEXT, STATE_SYSTEM_FOCUSABLE},
    {ControlKind::GroupBox, ROLE_SYSTEM_GROUPING, 0},
    {ControlKind::OptionButton, ROLE_SYSTEM_RADIOBUTTON, STATE_SYSTEM_FOCUSABLE},
    {ControlKind::CheckBox, ROLE_SYSTEM_CHECKBUTTON, STATE_SYSTEM_FOCUSABLE},
    {ControlKind::PushButton, ROLE_SYSTEM_PUSHBUTTON, STATE_SYSTEM_FOCUSABLE},
    {ControlKind::Label, ROLE_SYSTEM_STATICTEXT, STATE_SYSTEM_READONLY}};

// Wine's oleacc has a proxy of its own for the edit control only, and reads every other
// control as a plain window, ROLE_SYSTEM_CLIENT, focusable whatever it is.
Expected expectedOf(ControlKind kind) {
  const bool wine = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version");
  for (const Expected& row : kOnWindows) {
    if (row.kind != kind) continue;
    if (!wine || kind == ControlKind::TextBox) return row;
    return {kind, ROLE_SYSTEM_CLIENT, row.state & STATE_SYSTEM_FOCUSABLE};
  }
  throw std::invalid_argument("a kind of control missing from the table");
}

// A text property of the object itself; empty when the proxy has none.
std::wstring textOf(IAccessible& object,
                    HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR*)) {
  VARIANT self{};
  self.vt = VT_I4;  // CHILDID_SELF
  BSTR text = nullptr;
  std::wstring value = (object.*get)(self, &text) == S_OK && text ? text : L"";
  SysFreeString(text);
  return value;
}

class AccessibilityTest : public testing::Test {
 protected:
  void SetUp() override {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    window_.show(SW_SHOWNORMAL);
  }
  HWND item(ControlId id) const { return GetDlgItem(window_.handle(), controlIdentifier(id)); }

  MainWindow window_{GetModuleHandleW(nullptr), screenDpi()};
};

TEST_F(AccessibilityTest, EveryControlReadsThroughOleaccAsTheTableSays) {
  for (const ControlSpec& row : controlTable()) {
    // A label with no static text control to read it by is no window but drawn text.
    if (row.kind == ControlKind::Label && !readableLabel(row)) continue;
    IAccessible* object = nullptr;
    // __uuidof: MinGW's import library holds IID_IAccessible as data imported from
    // oleacc.dll, whose plain address is an import thunk, not the identifier.
    ASSERT_EQ(AccessibleObjectFromWindow(item(row.id), static_cast<DWORD>(OBJID_CLIENT),
                                         __uuidof(IAccessible), reinterpret_cast<void**>(&object)),
              S_OK)
        << row.name;
    EXPECT_EQ(textOf(*object, &IAccessible::get_accName), accessibleNameWithDescription(row))
        << row.name;
    const std::wstring caption = row.caption ? row.caption : L"";
    const std::size_t mark = caption.find(L'&');
    const std::wstring expected =
        mark == caption.npos ? L"" : L"Alt+" + caption.substr(mark + 1, 1);
    const std::wstring shortcut = textOf(*object, &IAccessible::get_accKeyboardShortcut);
    EXPECT_EQ(_wcsicmp(shortcut.c_str(), expected.c_str()), 0)
        << row.name << ": " << std::string(shortcut.begin(), shortcut.end());
    VARIANT self{};
    self.vt = VT_I4;
    VARIANT role{};
    VARIANT state{};
    const Expected reading = expectedOf(row.kind);
    EXPECT_EQ(object->get_accRole(self, &role), S_OK);
    EXPECT_EQ(role.lVal, reading.role) << row.name;
    EXPECT_EQ(object->get_accState(self, &state), S_OK);
    // Screen readers pass over what is hidden, clipped away or unavailable.
    EXPECT_EQ(
        state.lVal & (STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN | STATE_SYSTEM_UNAVAILABLE),
        0)
        << row.name;
    EXPECT_EQ(state.lVal & reading.state, reading.state) << row.name;
    object->Release();
  }
}

}  // namespace
}  // namespace brask
