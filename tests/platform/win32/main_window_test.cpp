// frmMain as a real Win32 window (under Wine and Xvfb), driven with the messages that
// keys and clicks become; the run's logic behind it works on the fakes of the seam.
#include "platform/win32/main_window.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <vector>

#include "fakes/fakes.h"
#include "platform/win32/dpi_awareness.h"
#include "platform/win32/native_controls.h"
#include "app/pixel_layout.h"

namespace brask {
namespace {

using enum ControlId;

class MainWindowTest : public testing::Test {
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

  // A key as the message loop hands it to IsDialogMessage.
  void press(UINT key, UINT message = WM_KEYDOWN) {
    MSG msg{GetFocus(), message, key, 0, 0, {0, 0}};
    if (!IsDialogMessageW(window_.handle(), &msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }

  void click(ControlId id) { SendMessageW(item(id), BM_CLICK, 0, 0); }

  fakes::FakePlatform fake_;
  int dpi_ = screenDpi();
  MainWindow window_{GetModuleHandleW(nullptr), dpi_};
  Platform platform_{window_,       fake_.dialogs, fake_.events,  fake_.locale,
                     fake_.version, fake_.clock,   fake_.process, fake_.files};
  MainForm form_{platform_};
};

TEST_F(MainWindowTest, TabVisitsTheControlsInTabOrderAndWraps) {
  EXPECT_EQ(GetFocus(), item(chkApplication)) << "the focus starts on the first control";
  const ControlId order[] = {chkSystem, chkCritical,   chkError, chkInformation, chkWarning,
                             optNumber, txtNumber,     optDate,  txtDayFrom,     txtMthFrom,
                             txtYrFrom, txtDayTo,      txtMthTo, txtYrTo,        cmdRun,
                             cmdExit,   chkApplication};
  for (ControlId next : order) {
    press(VK_TAB);
    EXPECT_EQ(GetFocus(), item(next)) << "Tab should reach " << controlSpec(next).name;
  }
  std::vector<BYTE> keys(256, 0);
  keys[VK_SHIFT] = 0x80;  // held down
  SetKeyboardState(keys.data());
  press(VK_TAB);
  EXPECT_EQ(GetFocus(), item(cmdExit)) << "Shift+Tab goes back";
  keys[VK_SHIFT] = 0;
  SetKeyboardState(keys.data());
}

TEST_F(MainWindowTest, EnterAndEscapePressNothing) {
  press(VK_TAB);  // chkSystem
  for (UINT key : {VK_RETURN, VK_ESCAPE}) {
    press(key);
    press(key, WM_CHAR);
  }
  SetFocus(item(txtNumber));
  press(VK_RETURN);
  press(VK_ESCAPE);
  EXPECT_TRUE(fake_.dialogs.messages.empty()) << "Run was pressed";
  EXPECT_EQ(fake_.form.ended, 0);
  EXPECT_TRUE(IsWindowVisible(window_.handle()));
}

TEST_F(MainWindowTest, RunValidatesTheFormAsTheUserLeftIt) {
  click(cmdRun);
  ASSERT_EQ(fake_.dialogs.messages.size(), 1u) << "a fresh form is refused";
  EXPECT_TRUE(IsWindowVisible(window_.handle()));
  EXPECT_FALSE(window_.optionSelected(optNumber));
  EXPECT_EQ(window_.checkState(chkApplication), 0);
  EXPECT_TRUE(fake_.files.opens.empty());
}

TEST_F(MainWindowTest, TheFormReadsWhatTheUserSet) {
  EXPECT_FALSE(window_.optionSelected(optNumber));
  EXPECT_FALSE(window_.optionSelected(optDate));
  click(optNumber);
  EXPECT_TRUE(window_.optionSelected(optNumber));
  click(optDate);
  EXPECT_FALSE(window_.optionSelected(optNumber));
  EXPECT_TRUE(window_.optionSelected(optDate));
  click(optDate);
  EXPECT_TRUE(window_.optionSelected(optDate)) << "the selected option stays selected";

  for (ControlId box :
       {chkApplication, chkSystem, chkCritical, chkError, chkInformation, chkWarning}) {
    EXPECT_EQ(window_.checkState(box), 0) << controlSpec(box).name;
    click(box);
    EXPECT_EQ(window_.checkState(box), 1) << controlSpec(box).name;
  }
  click(chkError);
  EXPECT_EQ(window_.checkState(chkError), 0);

  for (ControlId box :
       {txtNumber, txtDayFrom, txtMthFrom, txtYrFrom, txtDayTo, txtMthTo, txtYrTo}) {
    EXPECT_EQ(window_.text(box), L"") << controlSpec(box).name;
  }
  const std::wstring typed(40000, L'7');
  SetWindowTextW(item(txtNumber), L" 2.5 ");
  SetWindowTextW(item(txtYrTo), typed.c_str());
  EXPECT_EQ(window_.text(txtNumber), L" 2.5 ");
  EXPECT_EQ(window_.text(txtYrTo), typed) << "no length limit";
}

TEST_F(MainWindowTest, TheCloseButtonEndsTheMessageLoopWithoutAHandler) {
  MSG message;
  // Earlier windows of this test program posted their quit on the way out.
  while (PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
  SendMessageW(window_.handle(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(window_.handle()));
  EXPECT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_TRUE(fake_.dialogs.messages.empty());
  EXPECT_TRUE(fake_.files.opens.empty());
}

TEST_F(MainWindowTest, ControlsStandWhereTheTableSaysAtTheScreensDpi) {
  for (const ControlSpec& row : controlTable()) {
    RECT rect;
    GetWindowRect(item(row.id), &rect);
    MapWindowPoints(nullptr, window_.handle(), reinterpret_cast<POINT*>(&rect), 2);
    const PixelRect expected = controlRect(row, dpi_);
    EXPECT_EQ((PixelRect{rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top}),
              expected)
        << row.name;
  }
  RECT client;
  GetClientRect(window_.handle(), &client);
  EXPECT_EQ(client.right, clientRect(kWindow, dpi_).width);
  EXPECT_EQ(client.bottom, clientRect(kWindow, dpi_).height);
}

TEST_F(MainWindowTest, AFixedDialogFrameWithCloseOnlyCentredWithTheIcon) {
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(window_.handle(), GWL_STYLE));
  const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(window_.handle(), GWL_EXSTYLE));
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_TRUE((style & WS_CAPTION) == WS_CAPTION);
  EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
  EXPECT_TRUE(exStyle & WS_EX_DLGMODALFRAME);

  RECT frame;
  GetWindowRect(window_.handle(), &frame);
  EXPECT_NEAR((frame.left + frame.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
  EXPECT_NEAR((frame.top + frame.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);

  wchar_t caption[64];
  GetWindowTextW(window_.handle(), caption, 64);
  EXPECT_STREQ(caption, L"BRASK - Zelvo's Event Viewer");
  EXPECT_NE(SendMessageW(window_.handle(), WM_GETICON, ICON_BIG, 0), 0);
  EXPECT_NE(SendMessageW(window_.handle(), WM_GETICON, ICON_SMALL, 0), 0);
}

TEST_F(MainWindowTest, FontsAndThePurpleTitle) {
  const struct {
    ControlId id;
    const FontSpec& font;
  } cases[] = {{lblTitle1, kTitleFont},
               {lblTitle2, kTitleFont},
               {cmdRun, kDialogFont},
               {txtNumber, kDialogFont},
               {fraLog, kDialogFont}};
  for (const auto& c : cases) {
    LOGFONTW font{};
    const auto handle = reinterpret_cast<HFONT>(SendMessageW(item(c.id), WM_GETFONT, 0, 0));
    ASSERT_EQ(GetObjectW(handle, sizeof font, &font), static_cast<int>(sizeof font))
        << controlSpec(c.id).name;
    EXPECT_STREQ(font.lfFaceName, c.font.face) << controlSpec(c.id).name;
    EXPECT_EQ(font.lfWeight, c.font.weight) << controlSpec(c.id).name;
    EXPECT_EQ(font.lfHeight, fontHeight(c.font, dpi_)) << controlSpec(c.id).name;
    EXPECT_FALSE(font.lfItalic || font.lfUnderline || font.lfStrikeOut);
  }

  const HDC dc = GetDC(item(lblTitle1));
  SendMessageW(window_.handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
               reinterpret_cast<LPARAM>(item(lblTitle1)));
  EXPECT_EQ(GetTextColor(dc), RGB(128, 0, 128));
  SetTextColor(dc, RGB(0, 0, 0));
  SendMessageW(window_.handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
               reinterpret_cast<LPARAM>(item(lblTitle2)));
  EXPECT_NE(GetTextColor(dc), RGB(128, 0, 128));
  ReleaseDC(item(lblTitle1), dc);
}

TEST_F(MainWindowTest, TooltipsOnVersionAndLanguages) {
  // The tooltip window is a pop-up owned by the main window.
  HWND tooltips = nullptr;
  HWND candidate = nullptr;
  while ((candidate = FindWindowExW(nullptr, candidate, TOOLTIPS_CLASSW, nullptr))) {
    if (GetWindow(candidate, GW_OWNER) == window_.handle()) tooltips = candidate;
  }
  ASSERT_NE(tooltips, nullptr);
  EXPECT_EQ(SendMessageW(tooltips, TTM_GETTOOLCOUNT, 0, 0), 2);
  for (ControlId label : {Label1, lblLanguages}) {
    wchar_t text[80] = {};
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = window_.handle();
    tool.uId = reinterpret_cast<UINT_PTR>(item(label));
    tool.lpszText = text;
    SendMessageW(tooltips, TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(text, controlSpec(label).tooltip) << controlSpec(label).name;
  }
}

}  // namespace
}  // namespace brask
