#include "platform/win32/window/main_window.h"

#include <commctrl.h>

#include <optional>

#include "app/pixel_layout.h"
#include "platform/win32/resource_ids.h"
#include "platform/win32/system_error.h"
#include "platform/win32/window/busy_cursor.h"
#include "platform/win32/window/native_controls.h"

namespace brask {
namespace {

constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kWindowExStyle = WS_EX_DLGMODALFRAME;

HFONT createFont(const FontSpec& row, BYTE charSet, int dpi) {
  LOGFONTW font{};
  font.lfHeight = fontHeight(row, dpi);
  font.lfWeight = row.weight;
  font.lfCharSet = charSet;
  font.lfQuality = DEFAULT_QUALITY;
  lstrcpynW(font.lfFaceName, row.face, LF_FACESIZE);
  return CreateFontIndirectW(&font);
}

HICON loadIcon(HINSTANCE instance, int widthMetric, int heightMetric) {
  return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(BRASK_ICON), IMAGE_ICON,
                                       GetSystemMetrics(widthMetric),
                                       GetSystemMetrics(heightMetric), LR_DEFAULTCOLOR));
}

}  // namespace

std::unique_ptr<MainWindow> MainWindow::open(HINSTANCE instance, int dpi, Dialogs& dialogs) {
  try {
    return std::make_unique<MainWindow>(instance, dpi);
  } catch (const RunTimeError& error) {
    dialogs.runTimeErrorBox(error);
    return nullptr;
  }
}

MainWindow::MainWindow(HINSTANCE instance, int dpi) : instance_(instance), dpi_(dpi) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = windowProcedure;
  windowClass.hInstance = instance;
  windowClass.hIcon = loadIcon(instance, SM_CXICON, SM_CYICON);
  windowClass.hIconSm = loadIcon(instance, SM_CXSMICON, SM_CYSMICON);
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kWindow.name;
  if (RegisterClassExW(&windowClass) == 0) {
    const DWORD error = GetLastError();
    throw systemError(L"Registering the window class " + std::wstring(kWindow.name), error);
  }

  const PixelRect client = clientRect(kWindow, dpi_);
  RECT frame{0, 0, client.width, client.height};
  AdjustWindowRectEx(&frame, kWindowStyle, FALSE, kWindowExStyle);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  // The window procedure keeps the handle from WM_NCCREATE on; the result tells whether
  // the creation went through.
  if (CreateWindowExW(kWindowExStyle, kWindow.name, kWindow.caption, kWindowStyle,
                      (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                      (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, nullptr, nullptr,
                      instance, this) == nullptr) {
    const DWORD error = GetLastError();
    UnregisterClassW(kWindow.name, instance);
    throw systemError(L"Creating the window " + std::wstring(kWindow.name), error);
  }
  // The caption of a dialog frame shows the icon only when it is given to the window.
  SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(windowClass.hIcon));
  SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(windowClass.hIconSm));

  dialogFont_ = createFont(kDialogFont, DEFAULT_CHARSET, dpi_);
  titleFont_ = createFont(kTitleFont, ANSI_CHARSET, dpi_);
  createControls(instance);
}

MainWindow::~MainWindow() {
  if (IsWindow(window_)) DestroyWindow(window_);
  // The next window of the process registers the class anew.
  UnregisterClassW(kWindow.name, instance_);
  DeleteObject(dialogFont_);
  DeleteObject(titleFont_);
}

void MainWindow::createControls(HINSTANCE instance) {
  tooltips_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_,
                              nullptr, instance, nullptr);
  // Each window goes below the ones before it: the Z order is the order of creation.
  const auto placeBelow = [](HWND control) {
    SetWindowPos(control, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  };
  for (const ControlSpec* row : windowsInZOrder()) {
    if (const std::optional<NativeControl> label = accessibleLabel(*row)) {
      placeBelow(CreateWindowExW(label->exStyle, label->className,
                                 accessibleNameWithDescription(*row).c_str(), label->style, 0, 0,
                                 0, 0, window_, nullptr, instance, nullptr));
    }
    const NativeControl native = *nativeControl(*row);
    const PixelRect place = controlRect(*row, dpi_);
    const HWND control =
        CreateWindowExW(native.exStyle, native.className, row->caption ? row->caption : L"",
                        native.style, place.x, place.y, place.width, place.height, window_,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlIdentifier(row->id))),
                        instance, nullptr);
    placeBelow(control);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(dialogFont_), FALSE);
    if (row->kind == ControlKind::TextBox) SendMessageW(control, EM_SETLIMITTEXT, 0, 0);
    controls_[static_cast<std::size_t>(row->id)] = control;
  }
  labels_ = layOutLabels(dpi_, dialogFont_, titleFont_);
  for (const PaintedLabel& label : labels_) {
    if (label.row->tooltip) addTooltip(instance, label);
    // Beneath every other window, as the painted label is.
    if (const std::optional<NativeControl> readable = readableLabel(*label.row)) {
      const HWND control = CreateWindowExW(
          readable->exStyle, readable->className, accessibleNameWithDescription(*label.row).c_str(),
          readable->style, label.box.x, label.box.y, label.box.width, label.box.height, window_,
          reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlIdentifier(label.row->id))), instance,
          nullptr);
      showLabelsThrough(control);
      placeBelow(control);
    }
  }
}

// A label's tooltip is a tool of the window over the label's box; the tooltip control
// watches the window's mouse messages for it.
void MainWindow::addTooltip(HINSTANCE instance, const PaintedLabel& label) {
  TOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_SUBCLASS;
  tool.hwnd = window_;
  tool.uId = static_cast<UINT_PTR>(controlIdentifier(label.row->id));
  tool.rect = {label.box.x, label.box.y, label.box.x + label.box.width,
               label.box.y + label.box.height};
  tool.hinst = instance;
  tool.lpszText = const_cast<wchar_t*>(label.row->tooltip);
  SendMessageW(tooltips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void MainWindow::show(int showCommand) {
  ShowWindow(window_, showCommand);
  UpdateWindow(window_);
  focus_ = GetNextDlgTabItem(window_, nullptr, FALSE);
  SetFocus(focus_);
}

int MainWindow::checkState(ControlId checkBox) {
  return static_cast<int>(SendMessageW(control(checkBox), BM_GETCHECK, 0, 0));
}

bool MainWindow::optionSelected(ControlId optionButton) {
  return SendMessageW(control(optionButton), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::wstring MainWindow::text(ControlId textBox) {
  const HWND box = control(textBox);
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(box)) + 1, L'\0');
  const int length = GetWindowTextW(box, text.data(), static_cast<int>(text.size()));
  text.resize(static_cast<std::size_t>(length));
  return text;
}

void MainWindow::fill(const FormValues& values) {
  for (const auto& [checkBox, checked] : values.checked)
    SendMessageW(control(checkBox), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  if (values.option) SendMessageW(control(*values.option), BM_SETCHECK, BST_CHECKED, 0);
  for (const auto& [textBox, text] : values.texts) SetWindowTextW(control(textBox), text.c_str());
}

void MainWindow::showCaption(const std::wstring& caption) {
  // The frame is drawn anew at once, as WM_SETTEXT does, also while a run keeps the
  // window from handling other messages.
  SetWindowTextW(window_, caption.c_str());
}

void MainWindow::unloadAndEnd() { DestroyWindow(window_); }

LRESULT CALLBACK MainWindow::windowProcedure(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    static_cast<MainWindow*>(create->lpCreateParams)->window_ = window;
  }
  auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  return self ? self->onMessage(message, wParam, lParam)
              : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT MainWindow::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      // Enter and Escape arrive as IDOK and IDCANCEL: no control answers to them.
      if (HIWORD(wParam) == BN_CLICKED && handlers_) {
        // No click reaches a handler while a run is at work, however it came.
        if (running_) return 0;
        if (LOWORD(wParam) == controlIdentifier(ControlId::cmdRun)) {
          // The window takes no input until the run is over.
          const BusyCursor busy;
          running_ = true;
          struct Over {
            bool& running;
            ~Over() { running = false; }
          } over{running_};
          handlers_->cmdRun_Click();
        }
        if (LOWORD(wParam) == controlIdentifier(ControlId::cmdExit)) handlers_->cmdExit_Click();
      }
      return 0;
    case WM_CLOSE:
      // The handler of a run goes on on this window: the run is cancelled, and the handler
      // ends the program.
      if (running_) {
        PostQuitMessage(0);
        return 0;
      }
      break;
    case WM_SETCURSOR:
      // The wait cursor, also as the pointer moves while a run handles messages.
      if (running_ && LOWORD(lParam) == HTCLIENT) {
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
        return TRUE;
      }
      break;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      const HDC dc = BeginPaint(window_, &paint);
      paintLabels(dc, labels_);
      EndPaint(window_, &paint);
      return 0;
    }
    case WM_PRINTCLIENT:
      // A themed control draws its parent's surface behind it, labels included.
      paintLabels(reinterpret_cast<HDC>(wParam), labels_);
      return 0;
    case WM_ACTIVATE:
      // The focus leaves with the window and comes back to the same control.
      if (LOWORD(wParam) == WA_INACTIVE) {
        focus_ = GetFocus();
      } else if (focus_) {
        SetFocus(focus_);
      }
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

}  // namespace brask
