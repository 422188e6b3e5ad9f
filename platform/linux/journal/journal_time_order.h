// Whether a journal file's entries are in time order, so that its own indexes and a seek
// to a time find every entry that a walk of the whole file would. A machine without a
// real-time clock starts every boot at the same wall-clock time: its files hold boots
// whose times overlap, and only a walk of every entry finds them all.
#pragma once

#include <systemd/sd-journal.h>

namespace brask {

// True when the boots of the file follow one another in time and in the order of writing:
// each boot's entries, contiguous, end no later than the next boot's begin. The times
// within one boot are taken to run forward. A file whose boots cannot be read is not in
// order. Leaves the journal without matches, at no particular entry.
bool inTimeOrder(sd_journal* journal);

}  // namespace brask
