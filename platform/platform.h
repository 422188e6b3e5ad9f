// Everything the logic needs of the world, handed to it as one bundle by the executable.
#pragma once

#include "platform/clock.h"
#include "platform/computers.h"
#include "platform/dialogs.h"
#include "platform/event_source.h"
#include "platform/file_api.h"
#include "platform/form.h"
#include "platform/locale_api.h"
#include "platform/process.h"
#include "platform/threads.h"
#include "platform/version_api.h"

namespace brask {

struct Platform {
  Form& form;
  Dialogs& dialogs;
  EventSource& events;
  LocaleApi& locale;
  VersionApi& version;
  Clock& clock;
  Process& process;
  FileApi& files;
  Computers& computers;
  Threads& threads;
};

}  // namespace brask
