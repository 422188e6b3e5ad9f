#include "platform/linux/locale/iconv_text.h"

#include "platform/linux/errno_text.h"
#include "platform/run_time_error.h"

namespace brask {

iconv_t openIconv(const char* to, const char* from, const std::wstring& action) {
  const iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) {
    const int error = errno;
    throw RunTimeError(action, error, errnoText(error));
  }
  return cd;
}

}  // namespace brask
