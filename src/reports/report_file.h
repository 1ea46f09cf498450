// What the Cabrillo and the Ermak-format reports share: the program's signature lines, the
// line end, and where the report file goes.
//
// Both reports are named after the station's own call with the extension ".cbr" and are
// written whole into a temporary file that then replaces the old report, so a full disk or a
// read-only directory leaves the previous report as it was and the caller gets the reason.
#pragma once

#include <string>
#include <string_view>

#include "util/result.h"
#include "vorkan_version.h"

namespace vk {

class Journal;

// The Cabrillo CREATED-BY line: the program's name and version, nothing else.
inline constexpr std::string_view kReportProgram = "VORKAN " VORKAN_VERSION;
inline constexpr std::string_view kReportProgramId = "VORKAN";
inline constexpr std::string_view kReportProgramVersion = VORKAN_VERSION;
// The Ermak-format signature; the web page follows it.
inline constexpr std::string_view kReportCreatedBy = "VORKAN ver-" VORKAN_VERSION " ";
inline constexpr std::string_view kReportWebPage = "https://vorkan.example.org/";
// The last line of the Ermak-format report points at the program's discussion page.
inline constexpr std::string_view kReportTopicPage = "https://vorkan.example.org/forum";
// Report lines end as the program's other files do; every contest robot takes CR LF.
inline constexpr std::string_view kReportEol = "\r\n";

// "<call>.cbr".  The call is trimmed and every "/" becomes "-": a portable or mobile call
// ("UA9QQQ/P") would otherwise name a file in a directory that does not exist.  Empty for an
// empty call.
std::string ReportFileName(std::string_view call);
// The report file of `call` in `dir` (empty: the current directory).
std::string ReportPath(const std::string& dir, std::string_view call);

// Replaces the report file of `call` in `dir` with `text`.  An empty call is refused
// (kBadInput) rather than writing the hidden file ".cbr" no robot would get; a failed write is
// kIo, and the old report then stays untouched.  Failures are journalled (`journal` nullptr:
// nowhere).
Status WriteReportFile(const std::string& dir, std::string_view call, std::string_view text,
                       Journal* journal = nullptr);

}  // namespace vk
