// SPDX-License-Identifier: GPL-3.0-or-later
// QSOs made in WSJT-X or JTDX, put into the log as if typed: the listener thread queues what
// arrives on UDP, and each idle pass hands the queued QSOs to the logbook (Logbook::Add), which
// checks for a repeat, scores, saves, tells the windows and sends each to the group.
//
// The digital programs announce a QSO twice, once as "QSO Logged" and once as "Logged ADIF";
// the copy of a QSO the log already holds (same call, minute, band and mode, among the last
// QSOs) is taken once.  A real repeat of a station, minutes later, is logged and marked a dupe.
#pragma once

#include <memory>
#include <string>

#include "app/station.h"
#include "digital/digital_settings.h"
#include "digital/wsjtx_listener.h"

namespace vk {

// The log's mode for a digital program's mode: CW, phone, FM and RTTY as they are; FT8, FT4 and
// every other digital mode as `digital`.
Mode DigitalLogMode(const DigitalQso& q, Mode digital);
// The log's mode for FT8 and its kin in the loaded contest: the configured one, else RTTY when
// the contest names its modes and RTTY is one of them, else the log's digital mode (PSK31,
// which the Cabrillo log writes as DG).
Mode ContestDigitalMode(const TTreeRules& rules, Mode configured);
// The QSO as the log keeps it; refused without a frequency or band.
Status DigitalToQso(const DigitalQso& in, Mode digital, const TTreeRules& rules, QsoRecord& out);

class DigitalLink {
 public:
  explicit DigitalLink(Station& station) : station_(station) {}
  ~DigitalLink() { Stop(); }
  DigitalLink(const DigitalLink&) = delete;
  DigitalLink& operator=(const DigitalLink&) = delete;

  // Listens where [Digital] says; nothing when it names no address.  An address that cannot be
  // used is journalled and returned, and the contest goes on without it.
  Status Start(const DigitalSettings& settings);
  void Stop();
  bool Listening() const { return listener_ != nullptr; }
  WsjtxListener* Listener() { return listener_.get(); }

  // One idle pass, once the log file is loaded: the queued QSOs into the log, the reasons of
  // dropped datagrams into the journal.
  void Pass();
  // One QSO into the log; false when it was a second copy or refused (journalled).
  bool Take(const DigitalQso& q);

 private:
  bool AlreadyLogged(const QsoRecord& q) const;

  Station& station_;
  Mode configured_ = Mode::kUnknown;
  std::unique_ptr<WsjtxListener> listener_;
};

}  // namespace vk
