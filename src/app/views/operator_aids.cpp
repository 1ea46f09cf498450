#include "app/views/operator_aids.h"

#include <utility>

#include "log/journal.h"
#include "util/strings.h"

namespace vk {

namespace {

// "599", "59", "5NN" as typed: up to three characters, digits or N.
bool IsReport(std::string_view word) {
  if (word.empty() || word.size() > 3) return false;
  for (char c : word) {
    if (!(c >= '0' && c <= '9') && c != 'N') return false;
  }
  return true;
}

// The exchange of a logged QSO without its report: "599 N11" -> "N11".
std::string WithoutReport(const std::string& rcvd) {
  const std::string t = Trim(rcvd);
  const auto space = t.find(' ');
  if (space != std::string::npos && IsReport(std::string_view(t).substr(0, space))) {
    return Trim(t.substr(space + 1));
  }
  return IsReport(t) ? std::string() : t;
}

}  // namespace

OperatorAids::OperatorAids(Station& station, AidsSettings settings, bool readFilesNow)
    : station_(station), settings_(std::move(settings)) {
  if (readFilesNow) ReadFiles();
}

void OperatorAids::ReadFiles() {
  LoadScp();
  LoadHistory();
}

OperatorAids::~OperatorAids() {
  if (entry_ != nullptr) entry_->SetExchangeAid(nullptr);
}

void OperatorAids::AttachTo(EntryModel& entry) {
  entry_ = &entry;
  entry.SetExchangeAid([this](const std::string& call, const std::string& rulesText) {
    return ProposeExchange(call, rulesText);
  });
}

void OperatorAids::LoadScp() {
  if (settings_.scpFile.empty()) {
    scpNotice_ = "Check partial: no file set";
    return;
  }
  const Status s = scp_.Load(settings_.scpFile);
  const ScpLoadStats& st = scp_.Stats();
  if (!s) {
    scpNotice_ = "Check partial off: " + settings_.scpFile + " not read";
    JournalAppend(station_.journal(), "SCP: " + s.message);
    return;
  }
  JournalAppend(station_.journal(),
                "SCP: " + IntToStr(static_cast<long long>(st.calls)) + " calls from " +
                    settings_.scpFile + ", " + IntToStr(static_cast<long long>(st.malformed)) +
                    " lines skipped" +
                    (st.truncated ? ", the rest not read (too many calls)" : ""));
}

void OperatorAids::LoadHistory() {
  if (settings_.historyFile.empty()) return;
  const Status s = history_.Load(settings_.historyFile);
  const HistoryLoadStats& st = history_.Stats();
  if (!s) {
    JournalAppend(station_.journal(), "History: " + s.message);
  } else {
    JournalAppend(station_.journal(), "History: " + IntToStr(static_cast<long long>(st.records)) +
                                          " calls from " + settings_.historyFile + ", " +
                                          IntToStr(static_cast<long long>(st.malformed)) +
                                          " lines skipped" +
                                          (st.truncated ? ", the rest not read (too large)" : ""));
  }
  field_ = history_.FieldIndex(settings_.historyField);
  if (!settings_.historyField.empty() && field_ < 0) {
    JournalAppend(station_.journal(),
                  "History: no field " + settings_.historyField + " in " + settings_.historyFile);
  }
}

std::string OperatorAids::KnownExchange(const std::string& call) const {
  if (settings_.historyField.empty()) return {};
  const TLogCollection& log = station_.Log();
  for (int pos = log.Count() - 1; pos >= 0; --pos) {
    const QsoRecord& q = *log.At(pos);
    if (q.Call != call) continue;
    const std::string known = WithoutReport(q.Rcvd);
    if (!known.empty()) return known;
  }
  return history_.Value(call, field_);
}

std::string OperatorAids::ProposeExchange(const std::string& call,
                                          const std::string& rulesText) const {
  return JoinProposal(rulesText, KnownExchange(Trim(call)));
}

std::string JoinProposal(const std::string& rulesText, const std::string& known) {
  if (known.empty()) return {};
  std::string report = Trim(rulesText);
  char sep = ' ';
  if (!report.empty() && (report.back() == '/' || report.back() == ' ')) {
    sep = report.back();
    report.pop_back();
  }
  if (report.empty()) return known;
  if (!IsReport(report)) return {};
  return report + sep + known;
}

}  // namespace vk
