// A DLL left beside the program, as in a Downloads folder, is not found by name once the
// program has restricted its DLL search. The double of wevtapi.dll, built beside this test,
// stands in for it under another name.
#include "platform/win32/system/dll_search.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace brask {
namespace {

TEST(DllSearch, ADllBesideTheProgramIsNotLoadedByName) {
  wchar_t program[MAX_PATH];
  const std::wstring path(program, GetModuleFileNameW(nullptr, program, MAX_PATH));
  const std::wstring folder = path.substr(0, path.rfind(L'\\') + 1);
  const std::wstring planted = folder + L"brask_planted.dll";
  ASSERT_TRUE(CopyFileW((folder + L"wevtapi.dll").c_str(), planted.c_str(), FALSE));

  restrictDllSearch();
  EXPECT_EQ(LoadLibraryW(L"brask_planted.dll"), nullptr) << "found beside the program";
  const HMODULE byPath = LoadLibraryW(planted.c_str());
  EXPECT_NE(byPath, nullptr) << "the DLL itself does not load";
  FreeLibrary(byPath);
  DeleteFileW(planted.c_str());
}

}  // namespace
}  // namespace brask
