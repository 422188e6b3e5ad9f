// The spelling of event types that an event source other than Windows uses on this
// system, as the run will choose it.
#pragma once

#include "platform/event_log/event_type_names.h"
#include "platform/locale_api.h"
#include "platform/version_api.h"

namespace brask {

// The names the event logs of the detected language and Windows generation use; English
// of the newer generation when either is unsupported, since a run refuses such a system
// before it reads any event.
EventTypeNames typeNamesOfSystem(LocaleApi& locale, VersionApi& version);

}  // namespace brask
