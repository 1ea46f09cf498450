#include "app/help_text.h"

#include "app/command_table.h"
#include "app/key_table.h"
#include "log/adif.h"
#include "util/strings.h"

namespace vk {

namespace {

constexpr std::size_t kKeyColumn = 2;
constexpr std::size_t kWhatColumn = 20;

// One help line: the key names, then what they do from kWhatColumn; names too long for their
// column get a line of their own.
void AddKeyLine(std::vector<std::string>& out, const std::string& names, std::string_view what) {
  std::string line(kKeyColumn, ' ');
  line += names;
  if (line.size() + 1 > kWhatColumn) {
    out.push_back(std::move(line));
    line.clear();
  }
  line.resize(kWhatColumn, ' ');
  line += what;
  out.push_back(std::move(line));
}

// Two keys that do the two halves of one thing read as a pair: "Alt+F1 / Alt+F2".
std::string PairNames(std::string names, int count) {
  if (count == 2) names.replace(names.find(' '), 1, " / ");
  return names;
}

void AddScope(std::vector<std::string>& out, KeyScope scope) {
  if (!out.empty()) out.emplace_back();
  out.emplace_back(ScopeTitle(scope));
  std::string names;
  std::string_view what;
  int count = 0;  // keys on the line
  for (const KeyBinding& b : KeyBindings()) {
    if (b.scope != scope) continue;
    if (!names.empty() && b.what != what) {
      AddKeyLine(out, PairNames(names, count), what);
      names.clear();
      count = 0;
    }
    names += names.empty() ? "" : " ";
    names += KeyName(b.key);
    ++count;
    what = b.what;
  }
  if (!names.empty()) AddKeyLine(out, PairNames(names, count), what);
  if (scope != KeyScope::kAnywhere) return;
  // The menu commands' keys count in the same place.
  for (const CommandRow& row : CommandRows()) {
    if (row.key != 0) AddKeyLine(out, KeyName(row.key), row.what);
  }
}

}  // namespace

std::vector<std::string> HelpKeysLines() {
  std::vector<std::string> out;
  // The entry window's keys first: they are the ones looked up mid-contest.
  for (KeyScope s : {KeyScope::kEntry, KeyScope::kAnywhere, KeyScope::kDesktop, KeyScope::kLog,
                     KeyScope::kCw, KeyScope::kBandMap, KeyScope::kCluster}) {
    AddScope(out, s);
  }
  out.insert(out.end(), {
                            "",
                            "Enter sends messages",
                            "  Run: Enter sends CQ (F1), call+exch (F5 F2), log+TU (F3)",
                            "  S&P: own call (F4), then exch+log (F2)",
                            "",
                            "CW messages (Alt+M)",
                            "  $ {MYCALL}  @ {HISCALL}  # {EXCH} {NR}",
                        });
  return out;
}

std::vector<std::string> ClockHelpLines() {
  return {
      "QSOs are stamped in UTC plus the contest's time zone",
      "(0 for international contests, 3 for Moscow time).",
      "",
      "Ctrl+PgUp / Ctrl+PgDn (or Alt+PgUp / Alt+PgDn) in the",
      "entry window move the log clock one minute forward or",
      "back; the clock then stops (yellow on red, SET beside",
      "it) until the QSO is logged or Alt+A clears it.",
      "",
      "To log from paper: File > New contest, Work = WriteLog,",
      "with the Date and Time of the first QSO; the clock",
      "stays where it is set.",
  };
}

std::string SaveResultText(const Status& saved, int qsoCount) {
  if (saved.ok()) {
    return "Log saved: " + IntToStr(qsoCount) + " QSO in " + std::string(kLogFileName);
  }
  return "Log NOT saved: " + saved.message;
}

}  // namespace vk
