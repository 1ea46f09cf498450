// The QSO lines of the Cabrillo and the Ermak-format reports.
//
// Both follow the Cabrillo 3.0 template: frequency, mode, date and time, own call, exchange
// sent, call worked, exchange received, each item in its usual column.  Contest robots read
// the items by the spaces between them, not by column, so two rules matter more than the
// columns:
//   - an item is never cut: a call or exchange longer than its column pushes the rest of the
//     line to the right instead of losing characters;
//   - items are always separated by at least one space, so a 14-character call never runs
//     into the exchange after it.
// With calls and exchanges that fit, a Cabrillo line is at most 79 characters and an Ermak
// line 81.
#pragma once

#include <string>
#include <string_view>

#include "log/qso.h"
#include "util/bands.h"

namespace vk {

inline constexpr std::string_view kReportDateTimeMask = "yyyy-mm-dd hhnn";

// The Cabrillo frequency item: whole kHz up to 30 MHz; from 6 m up the band designators the
// format asks for ("50", "144", "432", "1.2G", ...), since a robot reads a kHz figure there as
// garbage.  A frequency in no amateur band above 30 MHz is written in whole kHz.
std::string CabrilloFreqText(Freq freq);
// CW, PH, FM, RY (RTTY) and DG (PSK31 and other digital modes); empty for an unknown code.
std::string CabrilloModeText(Mode mode);

// The sponsors' template (CQ WW, WPX, IARU, RDXC), items one space apart:
//   QSO: ***** ** yyyy-mm-dd nnnn ************* nnn ****** ************* nnn ******
// frequency right-aligned in 5, mode 2, own call 13, each exchange as report (3) and the rest
// (6); a longer item widens only its own column.  Trailing spaces are dropped.
std::string CabrilloQsoLine(const QsoRecord& qso, std::string_view ownCall);
// As the Cabrillo line, but the frequency right-aligned in 5 columns: "QSO:  3510 CW ...".
std::string ErmakQsoLine(const QsoRecord& qso, std::string_view ownCall);

}  // namespace vk
