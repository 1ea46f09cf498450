// The debug journal: diagnostic lines appended to debug.txt in the current directory.  The
// program never reads it.  Every line is opened, written and closed on its own, so it is on
// disk when the call returns and the operator may delete or move the file at any time.  The
// journal is bounded: at a few megabytes it moves aside to debug.1.txt, and a line repeated
// many times in a row is counted instead of written again.
#pragma once

#include <string>
#include <string_view>

namespace vk {

// Appends one line (CR LF ended).  A journal that cannot be written is silently skipped:
// diagnostics must never stop a contest.
void JournalAppend(std::string_view line);

// Trace lines of the rule evaluation are written for every node of every query; at contest
// speed that is thousands of file opens a minute, so they go through JournalTrace, which
// writes only while tracing is switched on (off by default).
void JournalTrace(std::string_view line);
void SetJournalTracing(bool on);
bool JournalTracing();

// Where the journal goes; tests point it elsewhere.  Empty: debug.txt in the current directory.
void SetJournalPath(std::string path);
std::string JournalPath();

}  // namespace vk
