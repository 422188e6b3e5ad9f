// Where the process may load DLLs from. The program runs elevated and is often started
// from a Downloads folder, where a web page may have left a DLL under a system DLL's name.
#pragma once

namespace brask {

// The system directory alone, where Windows can (Windows 8 on, and 7 and Vista with the
// update that brought SetDefaultDllDirectories); elsewhere at least not the current
// directory. Called first, before any window or COM call may load a DLL.
void restrictDllSearch();

}  // namespace brask
