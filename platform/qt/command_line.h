// The Linux program's command line, read with Qt's parser: the computers of a gathered
// folder to report, as NAME or @FILE.
#pragma once

#include <QStringList>

#include "command_line/run_request.h"

namespace brask {

// The request of the program's arguments, its name first; throws CommandLineError.
RunRequest linuxRequest(const QStringList& arguments);

}  // namespace brask
