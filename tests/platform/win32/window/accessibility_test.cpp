// frmMain as a screen reader reads it: each control's object from oleacc's standard
// proxies, asked in the window's own process, held to the control table.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>
#include <oleacc.h>

#include "platform/win32/window/dpi_awareness.h"
#include "platform/win32/window/main_window.h"
#include "platform/win32/window/native_controls.h"

namespace brask {
namespace {

// The role Windows' proxies give each kind. Wine's oleacc has a proxy of its own for the
// edit control only, and reads every button as a plain window, ROLE_SYSTEM_CLIENT.
struct Expected {
  ControlKind kind;
  LONG role;
};
constexpr Expected kRoles[] = {{ControlKind::TextBox, ROLE_SYSTEM_TEXT},
                               {ControlKind::GroupBox, ROLE_SYSTEM_GROUPING},
                               {ControlKind::OptionButton, ROLE_SYSTEM_RADIOBUTTON},
                               {ControlKind::CheckBox, ROLE_SYSTEM_CHECKBUTTON},
                               {ControlKind::PushButton, ROLE_SYSTEM_PUSHBUTTON}};

LONG roleOf(ControlKind kind) {
  const bool wine = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version");
  for (const Expected& row : kRoles) {
    if (row.kind == kind)
      return wine && kind != ControlKind::TextBox ? ROLE_SYSTEM_CLIENT : row.role;
  }
  return ROLE_SYSTEM_STATICTEXT;
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
    if (row.kind == ControlKind::Label) continue;  // drawn on the window, no window of its own
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
    EXPECT_EQ(object->get_accRole(self, &role), S_OK);
    EXPECT_EQ(role.lVal, roleOf(row.kind)) << row.name;
    EXPECT_EQ(object->get_accState(self, &state), S_OK);
    EXPECT_EQ(state.lVal & (STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_UNAVAILABLE), 0) << row.name;
    EXPECT_TRUE(row.kind == ControlKind::GroupBox || state.lVal & STATE_SYSTEM_FOCUSABLE)
        << row.name;
    object->Release();
  }
}

}  // namespace
}  // namespace brask
