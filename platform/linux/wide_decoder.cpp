#include "platform/linux/wide_decoder.h"

namespace brask {

WideDecoder::WideDecoder(const std::string& codeset)
    : IconvText("WCHAR_T", codeset.c_str(),
                L"Converting text from " + std::wstring(codeset.begin(), codeset.end()), L'\uFFFD') {}

}  // namespace brask
