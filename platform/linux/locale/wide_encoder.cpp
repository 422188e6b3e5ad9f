#include "platform/linux/locale/wide_encoder.h"

namespace brask {

WideEncoder::WideEncoder(const std::string& codeset)
    : IconvText(codeset.c_str(), "WCHAR_T",
                L"Converting text to " + std::wstring(codeset.begin(), codeset.end()), '?') {}

}  // namespace brask
