// frmMain as a real Win32 window (under Wine and Xvfb), driven with the messages that
// keys and clicks become; the run's logic behind it works on the fakes of the seam, and a
// run of many computers on the program's own threads, whose waits handle the window's
// messages.
#include "platform/win32/window/main_window.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <vector>

#include "app/pixel_layout.h"
#include "app/window_caption.h"
#include "canvas.h"
#include "fakes/fakes.h"
#include "platform/win32/process/win_threads.h"
#include "platform/win32/window/dpi_awareness.h"
#include "platform/win32/window/native_controls.h"

namespace brask {
namespace {

using enum ControlId;
using namespace std::chrono_literals;

// A computer's empty logs whose connection first runs a hook of the test's, on the thread
// that reads it.
class HookedSource final : public EventSource {
 public:
  HookedSource(std::function<void()> onConnect, std::function<void()> onCancel)
      : onConnect_(std::move(onConnect)), onCancel_(std::move(onCancel)) {}

  std::unique_ptr<EventService> connect() override {
    if (onConnect_) onConnect_();
    return logs_.connect();
  }
  void cancel() override {
    if (onCancel_) onCancel_();
  }

 private:
  std::function<void()> onConnect_;
  std::function<void()> onCancel_;
  fakes::FakeEventLog logs_;
};

class HookedComputers final : public Computers {
 public:
  std::map<std::wstring, std::function<void()>> onConnect;  // by computer
  std::function<void()> onCancel;                           // of any computer

  std::optional<GatheredComputers> gathered() override { return std::nullopt; }
  std::unique_ptr<EventSource> computer(const std::wstring& name) override {
    return std::make_unique<HookedSource>(onConnect[name], onCancel);
  }
};

class MainWindowTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
  }

  void SetUp() override {
    // Earlier windows of this test program posted their quit on the way out.
    MSG message;
    while (PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
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

  // The tooltip control: a pop-up owned by the main window.
  HWND tooltips() const {
    HWND found = nullptr;
    HWND candidate = nullptr;
    while ((candidate = FindWindowExW(nullptr, candidate, TOOLTIPS_CLASSW, nullptr))) {
      if (GetWindow(candidate, GW_OWNER) == window_.handle()) found = candidate;
    }
    return found;
  }

  // Runs the thread's messages until the condition holds, at most ten seconds.
  template <class Condition>
  bool runMessagesUntil(Condition condition) {
    const DWORD start = GetTickCount();
    while (!condition()) {
      if (GetTickCount() - start > 10000) return false;
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
      MSG message;
      while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
      }
    }
    return true;
  }

  fakes::FakePlatform fake_;
  int dpi_ = screenDpi();
  MainWindow window_{GetModuleHandleW(nullptr), dpi_};
  Platform platform_{window_,       fake_.dialogs, fake_.events,  fake_.locale,
                     fake_.version, fake_.clock,   fake_.process, fake_.files,
                     fake_.computers, fake_.threads};
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
  EXPECT_TRUE(fake_.files.replaced.empty());
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
  SendMessageW(window_.handle(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(window_.handle()));
  MSG message;
  EXPECT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_TRUE(fake_.dialogs.messages.empty());
  EXPECT_TRUE(fake_.files.replaced.empty());
}

TEST_F(MainWindowTest, ExitEndsTheMessageLoop) {
  click(cmdExit);
  EXPECT_FALSE(IsWindow(window_.handle()));
  MSG message;
  EXPECT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST_F(MainWindowTest, ControlsStandWhereTheTableSaysAtTheScreensDpi) {
  for (const ControlSpec& row : controlTable()) {
    const bool label = row.kind == ControlKind::Label;
    if (label && !readableLabel(row)) {
      EXPECT_EQ(item(row.id), nullptr) << row.name << " is a window";
      continue;
    }
    RECT rect;
    GetWindowRect(item(row.id), &rect);
    MapWindowPoints(nullptr, window_.handle(), reinterpret_cast<POINT*>(&rect), 2);
    PixelRect expected = controlRect(row, dpi_);
    // A label's static text control covers its caption, which may be wider than its box.
    if (label) expected.width = std::max(expected.width, static_cast<int>(rect.right - rect.left));
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

TEST_F(MainWindowTest, TheDialogFontOnEveryControlThatIsAWindow) {
  for (ControlId id : {cmdRun, txtNumber, fraLog, chkCritical, optDate}) {
    LOGFONTW font{};
    const auto handle = reinterpret_cast<HFONT>(SendMessageW(item(id), WM_GETFONT, 0, 0));
    ASSERT_EQ(GetObjectW(handle, sizeof font, &font), static_cast<int>(sizeof font))
        << controlSpec(id).name;
    EXPECT_STREQ(font.lfFaceName, kDialogFont.face) << controlSpec(id).name;
    EXPECT_EQ(font.lfWeight, kDialogFont.weight) << controlSpec(id).name;
    EXPECT_EQ(font.lfHeight, fontHeight(kDialogFont, dpi_)) << controlSpec(id).name;
    EXPECT_FALSE(font.lfItalic || font.lfUnderline || font.lfStrikeOut);
  }
}

// The window draws the labels on its surface, also when a themed control asks for the
// surface behind it.
TEST_F(MainWindowTest, TheWindowDrawsTheLabelsOnItsSurface) {
  const PixelRect client = clientRect(kWindow, dpi_);
  const COLORREF surface = RGB(200, 210, 220);
  Canvas canvas(client.width, client.height, surface);
  SendMessageW(window_.handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT);
  const COLORREF purple = RGB(128, 0, 128);
  for (const ControlSpec& row : controlTable()) {
    if (row.kind != ControlKind::Label) continue;
    const int drawn =
        canvas.count(controlRect(row, dpi_), row.textColour ? purple : GetSysColor(COLOR_BTNTEXT));
    EXPECT_GT(drawn, 5) << row.name << " is not drawn";
  }
  EXPECT_EQ(canvas.count(controlRect(controlSpec(lblTitle1), dpi_), purple),
            canvas.count(client, purple))
      << "purple outside lblTitle1";
}

// The static text controls over Version and Languages, there for screen readers, draw
// nothing: the window looks the same on the screen with them as without them, and they
// print nothing.
TEST_F(MainWindowTest, TheReadableLabelsLeaveTheWindowAsItLooks) {
  const PixelRect client = clientRect(kWindow, dpi_);
  const auto redrawn = [&](Canvas& canvas) {
    RedrawWindow(window_.handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    const HDC dc = GetDC(window_.handle());
    BitBlt(canvas.dc(), 0, 0, client.width, client.height, dc, 0, 0, SRCCOPY);
    ReleaseDC(window_.handle(), dc);
  };
  const COLORREF surface = RGB(200, 210, 220);
  Canvas with(client.width, client.height, surface);
  redrawn(with);
  for (ControlId label : {Label1, lblLanguages}) {
    ASSERT_TRUE(IsWindowVisible(item(label))) << controlSpec(label).name;
    Canvas printed(client.width, client.height, surface);
    SendMessageW(item(label), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(printed.dc()),
                 PRF_CLIENT | PRF_ERASEBKGND);
    EXPECT_EQ(printed.count(client, surface), client.width * client.height)
        << controlSpec(label).name << " prints itself";
    ShowWindow(item(label), SW_HIDE);
  }
  Canvas without(client.width, client.height, surface);
  redrawn(without);
  int differences = 0;
  for (int y = 0; y < client.height; ++y) {
    for (int x = 0; x < client.width; ++x) differences += with.pixel(x, y) != without.pixel(x, y);
  }
  EXPECT_EQ(differences, 0);
  EXPECT_GT(with.count(controlRect(controlSpec(Label1), dpi_), GetSysColor(COLOR_BTNTEXT)), 5)
      << "Version is not drawn on the screen";
}

// The dialog manager's access keys: X presses Exit (which ends the process, so it is not
// pressed here), and no other letter, typed or with Alt, moves the focus or presses a
// control. The focus starts on a control other than the first, to which a static text
// control's access key would move it from the labels' ones, last in the Z order.
TEST_F(MainWindowTest, NoLetterButXIsAnAccessKey) {
  SetFocus(item(chkWarning));
  for (wchar_t letter = L'A'; letter <= L'Z'; ++letter) {
    if (letter == L'X') continue;
    for (UINT message : {WM_CHAR, WM_SYSCHAR}) {
      for (wchar_t typed : {letter, static_cast<wchar_t>(letter - L'A' + L'a')}) {
        press(typed, message);
        EXPECT_EQ(GetFocus(), item(chkWarning)) << static_cast<char>(typed);
      }
    }
  }
  for (ControlId box :
       {chkApplication, chkSystem, chkCritical, chkError, chkInformation, chkWarning}) {
    EXPECT_EQ(window_.checkState(box), 0) << controlSpec(box).name;
  }
  EXPECT_FALSE(window_.optionSelected(optNumber) || window_.optionSelected(optDate));
  EXPECT_TRUE(fake_.dialogs.messages.empty()) << "Run was pressed";
}

TEST_F(MainWindowTest, TooltipsOnVersionAndLanguagesOverTheirBoxes) {
  const HWND tips = tooltips();
  ASSERT_NE(tips, nullptr);
  EXPECT_EQ(SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0), 2);
  for (ControlId label : {Label1, lblLanguages}) {
    wchar_t text[80] = {};
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = window_.handle();
    tool.uId = static_cast<UINT_PTR>(controlIdentifier(label));
    tool.lpszText = text;
    ASSERT_TRUE(SendMessageW(tips, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool)))
        << controlSpec(label).name;
    EXPECT_STREQ(text, controlSpec(label).tooltip) << controlSpec(label).name;
    const PixelRect table = controlRect(controlSpec(label), dpi_);
    EXPECT_EQ(tool.rect.left, table.x) << controlSpec(label).name;
    EXPECT_EQ(tool.rect.top, table.y) << controlSpec(label).name;
    EXPECT_EQ(tool.rect.bottom, table.y + table.height) << controlSpec(label).name;
    EXPECT_GE(tool.rect.right, table.x + table.width) << controlSpec(label).name;
  }
}

// The pointer moved onto a label and left there brings up the label's tooltip.
TEST_F(MainWindowTest, RestingThePointerOnALabelShowsItsTooltip) {
  const HWND tips = tooltips();
  ASSERT_NE(tips, nullptr);
  for (ControlId label : {Label1, lblLanguages}) {
    const PixelRect box = controlRect(controlSpec(label), dpi_);
    POINT point{box.x + box.width / 2, box.y + box.height / 2};
    ClientToScreen(window_.handle(), &point);
    SetCursorPos(point.x - 2, point.y);
    SetCursorPos(point.x, point.y);
    wchar_t text[80] = {};
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.lpszText = text;
    const auto showsThisTool = [&] {
      return IsWindowVisible(tips) &&
             SendMessageW(tips, TTM_GETCURRENTTOOLW, 0, reinterpret_cast<LPARAM>(&tool)) &&
             tool.uId == static_cast<UINT_PTR>(controlIdentifier(label));
    };
    EXPECT_TRUE(runMessagesUntil(showsThisTool)) << "no tooltip on " << controlSpec(label).name;
    EXPECT_STREQ(text, controlSpec(label).tooltip);
    SetCursorPos(0, 0);
    EXPECT_TRUE(runMessagesUntil([&] { return !IsWindowVisible(tips); }))
        << "the tooltip of " << controlSpec(label).name << " stays when the pointer leaves";
  }
}

TEST_F(MainWindowTest, ARunShowsTheWaitCursorUntilItIsOver) {
  const HCURSOR before = LoadCursorW(nullptr, IDC_ARROW);
  SetCursor(before);
  HCURSOR during = nullptr;
  fake_.dialogs.onShow = [&] { during = GetCursor(); };
  click(cmdRun);
  ASSERT_EQ(fake_.dialogs.messages.size(), 1u) << "a fresh form is refused";
  EXPECT_EQ(during, LoadCursorW(nullptr, IDC_WAIT));
  EXPECT_EQ(GetCursor(), before);
}

// A second frmMain while the first is open: the class is registered already.
TEST_F(MainWindowTest, AWindowThatCannotBeMadeEndsInTheRunTimeErrorBox) {
  fakes::RecordingDialogs dialogs;
  EXPECT_EQ(MainWindow::open(GetModuleHandleW(nullptr), dpi_, dialogs), nullptr);
  const std::vector<std::wstring> expected = {
      L"Run-time error '1410':\n\nRegistering the window class frmMain: Class already exists."};
  EXPECT_EQ(dialogs.errors, expected);
  EXPECT_TRUE(IsWindow(window_.handle())) << "the open window stays";
}

// A Number-mode run of two computers, read on the program's own threads while the window's
// thread waits; the report replaces yesterday's.
class MainWindowRunTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    threads_.handleMessagesOf(window_.handle());
    window_.fill({{{chkSystem, true}, {chkError, true}}, optNumber, {{txtNumber, L"1"}}});
    window_.setHandlers(run_);
    fake_.files.files[report_] = L"yesterday";
  }
  void TearDown() override { EXPECT_TRUE(threads_.join(10s)) << "a read outlived the run"; }

  const std::wstring report_ = L"C:\\BRASK.txt";
  HookedComputers computers_;
  WinThreads threads_;
  Platform runPlatform_{window_,       fake_.dialogs, fake_.events,  fake_.locale, fake_.version,
                        fake_.clock,   fake_.process, fake_.files,   computers_,   threads_};
  MainForm run_{runPlatform_, RunRequest{{L"one", L"two"}}};
};

// The system tells whether a window responds by sending it a message: a reading thread reads
// the caption so, and sees the progress.
TEST_F(MainWindowRunTest, WhileComputersAreReadTheWindowAnswersAndShowsTheProgress) {
  const HWND window = window_.handle();
  const std::wstring progress = readingCaption(1, 2);
  std::wstring seen;
  computers_.onConnect[L"two"] = [&] {
    for (int tries = 0; tries < 50 && seen != progress; ++tries) {
      wchar_t caption[128] = {};
      DWORD_PTR length = 0;
      if (SendMessageTimeoutW(window, WM_GETTEXT, 128, reinterpret_cast<LPARAM>(caption), SMTO_BLOCK, 200,
                              &length)) {
        seen = caption;
      }
      Sleep(20);
    }
  };
  click(cmdRun);
  EXPECT_EQ(seen, progress);
  EXPECT_EQ(fake_.process.started, std::vector<std::wstring>{L"notepad " + report_});
  EXPECT_NE(fake_.files.files[report_], L"yesterday");
  EXPECT_FALSE(IsWindow(window)) << "the run did not end the program";
}

// The user closes the window while the computers are read: the reads are cancelled with the
// window still there, the handler returns, then the window goes and the message loop ends;
// the report and the short-date format are as they were, and no box is shown.
TEST_F(MainWindowRunTest, ClosingTheWindowDuringARunCancelsItAndLeavesTheReport) {
  const HWND window = window_.handle();
  const HANDLE cancelled = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  const auto unanswered = [cancelled] {
    WaitForSingleObject(cancelled, 20000);
    throw ComputerError(L"Connecting", ERROR_CANCELLED, L"The operation was canceled by the user.",
                        Reach::EventLogApi);
  };
  computers_.onConnect = {{L"one", unanswered}, {L"two", unanswered}};
  bool windowStood = false;
  computers_.onCancel = [&] {
    windowStood = IsWindow(window) && IsWindowVisible(window);
    SetEvent(cancelled);
  };
  PostMessageW(window, WM_CLOSE, 0, 0);
  click(cmdRun);
  EXPECT_TRUE(windowStood) << "the window was destroyed under the run";
  EXPECT_FALSE(IsWindow(window)) << "the handler did not end the program";
  MSG message;
  EXPECT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the message loop goes on";
  EXPECT_EQ(fake_.files.files[report_], L"yesterday");
  EXPECT_EQ(fake_.shortDateInForce(), L"M/d/yyyy");
  EXPECT_TRUE(fake_.dialogs.messages.empty());
  EXPECT_TRUE(fake_.dialogs.errors.empty());
  EXPECT_TRUE(fake_.process.started.empty());
  CloseHandle(cancelled);
}

}  // namespace
}  // namespace brask
