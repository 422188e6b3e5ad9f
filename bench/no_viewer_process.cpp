#include "bench/no_viewer_process.h"

namespace brask::bench {

std::wstring NoViewerProcess::environmentVariable(const std::wstring& name) {
  return environment_.environmentVariable(name);
}

}  // namespace brask::bench
