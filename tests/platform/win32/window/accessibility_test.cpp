// frmMain as a screen reader reads it: each control's object from oleacc's standard
// proxies, asked in the window's own process, held to the control table. Exit's handler
// ends the fake form, so that pressing it can be seen.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>
#include <oleacc.h>

#include <string>

#include "fakes/fakes.h"
#include "platform/win32/window/dpi_awareness.h"
#include "platform/win32/window/main_window.h"
#include "platform/win32/window/native_controls.h"

namespace brask {
namespace {

bool underWine() {
  return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

// The role Windows' proxy gives each kind of control. Wine's oleacc has a proxy of its own
// for the edit control only and reads every button as a plain window.
LONG roleOf(ControlKind kind) {
  switch (kind) {
    case ControlKind::TextBox: return ROLE_SYSTEM_TEXT;
    case ControlKind::Label: break;
    case ControlKind::GroupBox: return underWine() ? ROLE_SYSTEM_CLIENT : ROLE_SYSTEM_GROUPING;
    case ControlKind::OptionButton:
      return underWine() ? ROLE_SYSTEM_CLIENT : ROLE_SYSTEM_RADIOBUTTON;
    case ControlKind::CheckBox: return underWine() ? ROLE_SYSTEM_CLIENT : ROLE_SYSTEM_CHECKBUTTON;
    case ControlKind::PushButton: return underWine() ? ROLE_SYSTEM_CLIENT : ROLE_SYSTEM_PUSHBUTTON;
  }
  return ROLE_SYSTEM_STATICTEXT;
}

// "Alt+" and the letter after the caption's "&"; empty without one.
std::wstring shortcutOf(const ControlSpec& row) {
  const std::wstring caption = row.caption ? row.caption : L"";
  const std::size_t mark = caption.find(L'&');
  return mark == std::wstring::npos ? L"" : L"Alt+" + caption.substr(mark + 1, 1);
}

// The child identifier of the object itself.
VARIANT itself() {
  VARIANT self{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  return self;
}

// A text property of the object; empty when the proxy has none.
std::wstring textOf(IAccessible& object,
                    HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR*)) {
  BSTR text = nullptr;
  const HRESULT result = (object.*get)(itself(), &text);
  std::wstring value = result == S_OK && text ? text : L"";
  SysFreeString(text);
  return value;
}

class AccessibilityTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
  }

  void SetUp() override {
    window_.setHandlers(form_);
    window_.show(SW_SHOWNORMAL);
  }

  HWND item(ControlId id) const { return GetDlgItem(window_.handle(), controlIdentifier(id)); }

  fakes::FakePlatform fake_;
  MainWindow window_{GetModuleHandleW(nullptr), screenDpi()};
  MainForm form_{fake_.platform};
};

TEST_F(AccessibilityTest, EveryControlReadsThroughOleaccAsTheTableSays) {
  for (const ControlSpec& row : controlTable()) {
    if (row.kind == ControlKind::Label) continue;  // drawn on the window, no window of its own
    IAccessible* object = nullptr;
    // __uuidof: MinGW's oleacc import library holds IID_IAccessible as a symbol imported
    // from oleacc.dll, whose plain address is an import thunk, not the identifier.
    ASSERT_EQ(AccessibleObjectFromWindow(item(row.id), static_cast<DWORD>(OBJID_CLIENT),
                                         __uuidof(IAccessible), reinterpret_cast<void**>(&object)),
              S_OK)
        << row.name;
    EXPECT_EQ(textOf(*object, &IAccessible::get_accName), accessibleNameWithDescription(row))
        << row.name;
    const std::wstring shortcut = textOf(*object, &IAccessible::get_accKeyboardShortcut);
    EXPECT_EQ(_wcsicmp(shortcut.c_str(), shortcutOf(row).c_str()), 0)
        << row.name << ": " << std::string(shortcut.begin(), shortcut.end());
    VARIANT role{};
    VARIANT state{};
    EXPECT_EQ(object->get_accRole(itself(), &role), S_OK) << row.name;
    EXPECT_EQ(role.lVal, roleOf(row.kind)) << row.name;
    EXPECT_EQ(object->get_accState(itself(), &state), S_OK) << row.name;
    EXPECT_FALSE(state.lVal & (STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_UNAVAILABLE)) << row.name;
    if (row.kind != ControlKind::GroupBox) {
      EXPECT_TRUE(state.lVal & STATE_SYSTEM_FOCUSABLE) << row.name;
    }
    object->Release();
  }
}

// The hidden labels carry no access key and are passed over by the dialog manager: with
// the focus on a check box, which takes no characters, a letter with or without Alt moves
// nothing, and only X presses Exit.
TEST_F(AccessibilityTest, OnlyAltXOrXPressesAControlAndNoLetterMovesTheFocus) {
  const HWND start = item(ControlId::chkApplication);
  int pressed = 0;
  for (wchar_t letter = L'a'; letter <= L'z'; ++letter) {
    for (UINT message : {WM_CHAR, WM_SYSCHAR}) {
      SetFocus(start);
      MSG msg{start, message, letter, message == WM_SYSCHAR ? 1 << 29 : 0, 0, {0, 0}};
      if (!IsDialogMessageW(window_.handle(), &msg)) DispatchMessageW(&msg);
      if (letter == L'x') {
        EXPECT_EQ(fake_.form.ended, ++pressed) << "Exit not pressed by x, message " << message;
        continue;
      }
      EXPECT_EQ(GetFocus(), start) << static_cast<char>(letter) << ", message " << message;
      EXPECT_EQ(fake_.form.ended, pressed) << static_cast<char>(letter);
    }
  }
  EXPECT_EQ(window_.checkState(ControlId::chkApplication), 0);
}

}  // namespace
}  // namespace brask
