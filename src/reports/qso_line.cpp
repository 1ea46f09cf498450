#include "reports/qso_line.h"

#include <array>
#include <utility>

#include "util/datetime.h"
#include "util/strings.h"

namespace vk {
namespace {

struct BandDesignator {
  Freq low, high;  // 100 Hz units, both inclusive
  std::string_view text;
};

// The widest allocation of each band in any region, so that no QSO the band index or the log
// places on a VHF band falls back to a kHz figure.  241 GHz lies beyond the range of Freq.
constexpr std::array<BandDesignator, 16> kDesignators = {{
    {500000, 540000, "50"},
    {690000, 710000, "70"},
    {1440000, 1480000, "144"},
    {2200000, 2250000, "222"},
    {4200000, 4500000, "432"},
    {9020000, 9280000, "902"},
    {12000000, 13000000, "1.2G"},
    {23000000, 24500000, "2.3G"},
    {33000000, 35000000, "3.4G"},
    {56500000, 59250000, "5.7G"},
    {100000000, 105000000, "10G"},
    {240000000, 242500000, "24G"},
    {470000000, 472000000, "47G"},
    {755000000, 810000000, "75G"},
    {1220000000, 1230000000, "122G"},
    {1340000000, 1410000000, "134G"},
}};

// Pads to `width`; a text that fills or overflows it gets one space after it, so the next
// item never touches it.
std::string Column(std::string_view text, int width) {
  if (static_cast<int>(text.size()) < width) return FixedWidth(text, width);
  return std::string(text) + ' ';
}

// Pads to `width`, never cuts; for items an explicit separator follows.
std::string Padded(std::string_view text, int width) {
  if (static_cast<int>(text.size()) < width) return FixedWidth(text, width);
  return std::string(text);
}

// Everything after the frequency item, shared by both reports.
std::string LineTail(const QsoRecord& qso, std::string_view ownCall) {
  std::string line;
  line.reserve(80);
  line += Padded(CabrilloModeText(qso.Mode), 3);
  line += FormatMask(qso.Stamp, kReportDateTimeMask);
  line += ' ';
  line += Column(Trim(ownCall), 14);
  line += Padded(qso.Sent, 11);
  line += ' ';
  line += Column(qso.Call, 14);
  line += Padded(qso.Rcvd, 11);
  return line;
}

// The template's exchange: the signal report in 3 columns, a space, the rest in 6 ("599 001   ",
// "59  14    ").  An exchange of one item fills all 10 columns; nothing is ever cut.
std::string TemplateExchange(std::string_view exchange) {
  const std::string text = Trim(exchange);
  const auto gap = text.find(' ');
  if (gap == std::string::npos) return Padded(text, 10);
  return Padded(text.substr(0, gap), 3) + ' ' + Padded(Trim(text.substr(gap + 1)), 6);
}

std::string TrimmedRight(std::string line) {
  line.erase(line.find_last_not_of(' ') + 1);
  return line;
}

}  // namespace

std::string CabrilloFreqText(Freq freq) {
  if (freq >= 300000) {
    for (const auto& d : kDesignators) {
      if (freq >= d.low && freq <= d.high) return std::string(d.text);
    }
  }
  return IntToStr(freq / 10);
}

std::string CabrilloModeText(Mode mode) {
  // The log's RTTY and PSK31 are the format's RY and DG; its own names would be refused.
  static constexpr std::array<std::string_view, kModeCount + 1> kNames{"",   "CW", "PH",
                                                                       "FM", "RY", "DG"};
  const std::size_t i = ModeNumber(mode);
  return i < kNames.size() ? std::string(kNames[i]) : std::string();
}

std::string CabrilloQsoLine(const QsoRecord& qso, std::string_view ownCall) {
  std::string line;
  line.reserve(84);
  line += "QSO: ";
  line += PadLeft(CabrilloFreqText(qso.Freq), 5);
  line += ' ';
  line += Padded(CabrilloModeText(qso.Mode), 2);
  line += ' ';
  line += FormatMask(qso.Stamp, kReportDateTimeMask);
  line += ' ';
  line += Padded(Trim(ownCall), 13);
  line += ' ';
  line += TemplateExchange(qso.Sent);
  line += ' ';
  line += Padded(qso.Call, 13);
  line += ' ';
  line += TemplateExchange(qso.Rcvd);
  return TrimmedRight(std::move(line));
}

std::string ErmakQsoLine(const QsoRecord& qso, std::string_view ownCall) {
  return "QSO: " + PadLeft(CabrilloFreqText(qso.Freq), 5) + ' ' + LineTail(qso, ownCall);
}

}  // namespace vk
