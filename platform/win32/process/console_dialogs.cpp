#include "platform/win32/process/console_dialogs.h"

#include "platform/win32/process/standard_streams.h"

namespace brask {

void ConsoleDialogs::messageBox(const std::wstring& prompt, const std::wstring& title) {
  writeStandard(STD_ERROR_HANDLE, title + L": " + prompt + L"\r\n");
}

void ConsoleDialogs::runTimeErrorBox(const RunTimeError& error) {
  writeStandard(STD_ERROR_HANDLE, std::wstring(kProgramTitle) + L": " + runTimeErrorLine(error) + L"\r\n");
}

}  // namespace brask
