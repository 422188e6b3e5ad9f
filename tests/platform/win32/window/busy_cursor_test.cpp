// The wait cursor of a run, and the arrow of the boxes that come up during one.
#include "platform/win32/window/busy_cursor.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "platform/win32/window/message_boxes.h"

namespace brask {
namespace {

HCURSOR arrow() { return LoadCursorW(nullptr, IDC_ARROW); }
HCURSOR wait() { return LoadCursorW(nullptr, IDC_WAIT); }

TEST(BusyCursor, TheWaitCursorForItsLifetimeThenTheCursorBefore) {
  for (HCURSOR before : {arrow(), LoadCursorW(nullptr, IDC_IBEAM)}) {
    SetCursor(before);
    {
      const BusyCursor busy;
      EXPECT_EQ(GetCursor(), wait());
    }
    EXPECT_EQ(GetCursor(), before);
  }
}

// What the cursor is when a box is first activated; the box is then answered with OK.
HHOOK hook = nullptr;
std::optional<HCURSOR> cursorAtTheBox;

LRESULT CALLBACK answerTheBox(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE && !cursorAtTheBox) {
    cursorAtTheBox = GetCursor();
    PostMessageW(reinterpret_cast<HWND>(wParam), WM_COMMAND, IDOK, 0);
  }
  return CallNextHookEx(hook, code, wParam, lParam);
}

TEST(MessageBoxes, EachBoxShowsTheArrowThoughARunShowsTheWaitCursor) {
  MessageBoxes boxes;
  const struct {
    const char* box;
    std::function<void()> show;
  } cases[] = {
      {"message box", [&] { boxes.messageBox(L"prompt", L"Please check your selections"); }},
      {"run-time error box",
       [&] {
         boxes.runTimeErrorBox(RunTimeError(L"Writing the report", 75, L"Path/File access error"));
       }},
  };
  for (const auto& c : cases) {
    const BusyCursor busy;
    cursorAtTheBox.reset();
    hook = SetWindowsHookExW(WH_CBT, answerTheBox, nullptr, GetCurrentThreadId());
    c.show();
    UnhookWindowsHookEx(hook);
    ASSERT_TRUE(cursorAtTheBox) << "no " << c.box << " came up";
    EXPECT_EQ(*cursorAtTheBox, arrow()) << c.box;
  }
}

}  // namespace
}  // namespace brask
