#include "platform/win32/process/com_process.h"

#include <windows.h>

#include <objbase.h>

namespace brask {

ComProcess::ComProcess() : initialised_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
  // No access list of its own: the program serves no COM object to anyone.
  CoInitializeSecurity(nullptr, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_PKT_PRIVACY,
                       RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE, nullptr);
}

ComProcess::~ComProcess() {
  if (initialised_) CoUninitialize();
}

}  // namespace brask
