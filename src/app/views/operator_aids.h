// The operator aids of a station: the check-partial database and the call-history file, read
// once when the operating windows open, and the history prefill of the received exchange.  The
// prefill is the entry window's exchange aid: when the rules propose no more than the report,
// the newest QSO with the call in the log (its exchange after the report), else the history
// file's field chosen for the contest, follows the report.  Contests without a chosen field get
// none.  It is made once, on Enter in Call; what the operator types then is what is logged.
#pragma once

#include <string>

#include "aids/aids_settings.h"
#include "aids/call_history.h"
#include "aids/scp_database.h"
#include "app/views/entry_window_model.h"
#include "app/station.h"

namespace vk {

class OperatorAids final {
 public:
  // Reads the files the settings name (now, or when ReadFiles is called); what was skipped
  // goes to the journal.
  OperatorAids(Station& station, AidsSettings settings, bool readFilesNow = true);
  // The check-partial database and the call history; a window may show before they are read.
  void ReadFiles();
  ~OperatorAids();
  OperatorAids(const OperatorAids&) = delete;
  OperatorAids& operator=(const OperatorAids&) = delete;

  const AidsSettings& Settings() const { return settings_; }
  AidsSettings& Settings() { return settings_; }
  const ScpDatabase& Scp() const { return scp_; }
  const CallHistory& History() const { return history_; }
  // Why the check-partial list has no database ("MASTER.SCP not found"); empty when it has.
  const std::string& ScpNotice() const { return scpNotice_; }

  // The exchange known for the call, without the report; empty when nothing is known.
  std::string KnownExchange(const std::string& call) const;
  // The RxNr proposal after the rules' text; empty to leave it.
  std::string ProposeExchange(const std::string& call, const std::string& rulesText) const;
  // Becomes the entry window's exchange aid until this object goes (`entry` outlives it).
  void AttachTo(EntryModel& entry);

 private:
  void LoadScp();
  void LoadHistory();

  Station& station_;
  AidsSettings settings_;
  ScpDatabase scp_;
  CallHistory history_;
  int field_ = -1;  // of the history file, for the current contest
  std::string scpNotice_;
  EntryModel* entry_ = nullptr;
};

// The RxNr proposal from the rules' text (empty or a report such as "599/" or "59 ") and the
// known exchange; empty when the rules' text is more than a report.
std::string JoinProposal(const std::string& rulesText, const std::string& known);

}  // namespace vk
