// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/digital_link.h"

#include <algorithm>

#include "log/journal.h"
#include "util/strings.h"

namespace vk {
namespace {

// How far back a second copy of a QSO is looked for: the two announcements of one QSO come
// within milliseconds, but other QSOs (typed, from the group) may be logged in between.
constexpr int kCopyWindow = 50;

std::string Joined(const std::string& report, const std::string& rest) {
  if (report.empty()) return rest;
  if (rest.empty()) return report;
  return report + ' ' + rest;
}

}  // namespace

Mode DigitalLogMode(const DigitalQso& q, Mode digital) {
  const std::string& m = q.mode;
  if (m == "CW") return Mode::kCw;
  if (m == "SSB" || m == "USB" || m == "LSB" || m == "AM") return Mode::kPhone;
  if (m == "FM") return Mode::kFm;
  if (m == "RTTY") return Mode::kRtty;
  return digital;
}

Mode ContestDigitalMode(const TTreeRules& rules, Mode configured) {
  if (configured != Mode::kUnknown) return configured;
  const ContestSettings& cs = rules.Settings();
  const bool named = std::any_of(cs.modes.begin(), cs.modes.end(), [](bool b) { return b; });
  return named && cs.Allows(Mode::kRtty) ? Mode::kRtty : Mode::kPsk31;
}

Status DigitalToQso(const DigitalQso& in, Mode digital, const TTreeRules& rules, QsoRecord& out) {
  QsoRecord q;
  q.Stamp = in.timeOff;
  q.Stamp.second = 0;  // the log keeps minutes
  if (in.freqHz > 0 && in.freqHz / 100 < 0x7fffffffULL) {
    q.Freq = static_cast<Freq>((in.freqHz + 50) / 100);
  } else {
    q.Freq = FreqOfBandName(in.band);
  }
  if (q.Freq <= 0 || BandOfFreq(q.Freq) == kBandNone)
    return Status::Error(ErrCode::kBadInput, in.call + ": no band");
  q.Mode = DigitalLogMode(in, digital);
  q.Call = CutQsoField(Trim(in.call));
  // The grid contests exchange the four-character locator and nothing else.
  const std::string rest = !in.exchRcvd.empty() ? in.exchRcvd : in.grid.substr(0, 4);
  q.Sent = CutQsoField(Trim(Joined(in.rstSent, in.exchSent)));
  q.Rcvd = CutQsoField(Trim(rules.CorrectRxNr(UpperCase(Joined(in.rstRcvd, rest)))));
  out = std::move(q);
  return {};
}

Status DigitalLink::Start(const DigitalSettings& settings) {
  Stop();
  configured_ = settings.mode;
  if (!settings.Enabled()) return {};
  ListenAddress at;
  Status s = ParseListenAddress(settings.listen, at);
  std::unique_ptr<UdpListener> socket;
  if (s) socket = OpenUdpListener(at, s);
  if (!s) {
    JournalAppend(station_.journal(), "WSJT-X: " + s.message);
    return s;
  }
  listener_ = std::make_unique<WsjtxListener>(std::move(socket));
  listener_->Start();
  JournalAppend(station_.journal(), "WSJT-X: listening on " + settings.listen);
  return {};
}

void DigitalLink::Stop() {
  if (listener_ != nullptr) listener_->Stop();
  listener_.reset();
}

void DigitalLink::Pass() {
  if (listener_ == nullptr) return;
  for (const std::string& why : listener_->TakeFaults()) {
    JournalAppend(station_.journal(), "WSJT-X: datagram dropped: " + why);
  }
  for (const DigitalQso& q : listener_->TakeQsos()) (void)Take(q);
}

bool DigitalLink::AlreadyLogged(const QsoRecord& q) const {
  const TLogCollection& log = station_.Log();
  const int first = std::max(0, log.Count() - kCopyWindow);
  for (int i = log.Count() - 1; i >= first; --i) {
    const QsoRecord& held = *log.At(i);
    if (held.Call == q.Call && held.Stamp == q.Stamp && held.Mode == q.Mode &&
        BandOfFreq(held.Freq) == BandOfFreq(q.Freq))
      return true;
  }
  return false;
}

bool DigitalLink::Take(const DigitalQso& in) {
  QsoRecord q;
  const Mode digital = ContestDigitalMode(station_.Rules(), configured_);
  if (Status s = DigitalToQso(in, digital, station_.Rules(), q); !s) {
    JournalAppend(station_.journal(), "WSJT-X: QSO not logged: " + s.message);
    return false;
  }
  if (AlreadyLogged(q)) return false;
  const LogResult r = station_.Book().Add(std::move(q), LogOrigin::kEntry);
  if (!r.ok()) {
    JournalAppend(station_.journal(), "WSJT-X: " + in.call + " not logged: " + r.status.message);
    return false;
  }
  if (!r.saved) JournalAppend(station_.journal(), "Log not saved: " + r.saved.message);
  return true;
}

}  // namespace vk
