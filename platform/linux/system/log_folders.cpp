#include "platform/linux/system/log_folders.h"

#include "platform/linux/environment_variable.h"

namespace brask {

LogFolders logFoldersOfEnvironment() {
  return {nonEmptyVariable("BRASK_JOURNAL_DIR"), nonEmptyVariable("BRASK_EVTX_DIR")};
}

}  // namespace brask
