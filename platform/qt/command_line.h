// The Linux program's command line, read with Qt's parser: the computers of a gathered
// folder to report, as NAME or @FILE, the switches both builds take in their Linux
// spelling ("--log System"), and the folders of the event logs.
#pragma once

#include <QStringList>

#include "command_line/run_request.h"

namespace brask {

// The request of the program's arguments, its name first; throws CommandLineError.
// --journal-dir DIR and --evtx-dir DIR set BRASK_JOURNAL_DIR and BRASK_EVTX_DIR.
RunRequest linuxRequest(const QStringList& arguments);

// Whether the arguments ask for the report without a window (--run), however the rest of
// them reads.
bool asksForRun(const QStringList& arguments);

// The usage, for --help.
std::wstring linuxUsage();

}  // namespace brask
