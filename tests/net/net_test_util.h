// Shared pieces of the network tests: a journal file of the test's own, QSOs with real calls,
// and one station's UI-thread side (log, rule tree, band totals, exchange record, handler).
#pragma once

#include <unistd.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <pugixml.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "country/country.h"
#include "log/journal.h"
#include "log/log_collection.h"
#include "net/net_exchange.h"
#include "net/net_handler.h"
#include "net/group_log.h"
#include "rules/rules_loader.h"
#include "rules/tree_rules.h"
#include "util/band_totals.h"

namespace vk::nettest {

// Points 3 on 20 m and 1 elsewhere, a multiplier for every new country on each band.
inline constexpr const char* kTestRules =
    "<contest><score>3:20m</score><score>1</score><multi>dxcc:1:everyband</multi></contest>";

inline const CountryLists& Lists() {
  static const CountryLists lists{CountryList::FromFile(VORKAN_SYSTEM_CTY), CountryList{}};
  return lists;
}

// A journal on a file of the test's own, whose lines the test reads back.
class JournalCapture {
 public:
  explicit JournalCapture(const std::string& name)
      : path_(::testing::TempDir() + "vk_net_" + name + "_" + std::to_string(::getpid()) +
              "_journal.txt"),
        journal_(path_) {
    std::remove(path_.c_str());
  }
  ~JournalCapture() { std::remove(path_.c_str()); }
  JournalCapture(const JournalCapture&) = delete;
  JournalCapture& operator=(const JournalCapture&) = delete;

  // What the components under test are handed.
  Journal* journal() { return &journal_; }

  std::vector<std::string> Lines() const {
    std::ifstream in(path_, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      lines.push_back(line);
    }
    return lines;
  }
  bool Has(const std::string& prefix) const {
    for (const std::string& l : Lines()) {
      if (l.rfind(prefix, 0) == 0) return true;
    }
    return false;
  }
  void Clear() const { std::remove(path_.c_str()); }

 private:
  std::string path_;
  Journal journal_;
};

inline QsoRecord MakeQso(std::int32_t guid, const std::string& call, std::int32_t freq = 140250,
                         std::uint16_t minute = 7) {
  QsoRecord q;
  q.Guid = guid;
  q.Stamp = {2024, 3, 5, 9, minute, 0};
  q.Freq = freq;
  q.Mode = Mode::kCw;
  q.Call = call;
  q.Sent = "599 001";
  q.Rcvd = "599 15";
  q.Score = 2;
  q.Multi = 1;
  return q;
}

// The owner of a test station's log in place of the program's logbook: it applies what the
// group sends as it arrives, figures included, and counts the stored figures in the totals
// (scoring is the logbook's, tested with it).  Tests set up the log directly.
struct ScoredLog final : GroupLog {
  ScoredLog(TLogCollection& log, TTreeRules& rules, BandTotals& totals)
      : log(log), rules(rules), totals(totals) {}
  const TLogCollection& Log() const override { return log; }
  bool ApplyRemote(const GroupChange& c) override {
    bool ok = false;
    switch (c.kind) {
      case GroupChangeKind::kPlace:
        ok = log.FindByGuid(c.qso.Guid) < 0 && log.InsertAt(c.position, c.qso);
        break;
      case GroupChangeKind::kReplace:
        ok = log.Replace(c.position, c.qso);
        break;
      case GroupChangeKind::kDelete:
        ok = log.Delete(c.position);
        break;
      case GroupChangeKind::kReorder:
        log.Clear();
        for (const QsoRecord& q : c.order) log.Append(q);
        ok = true;
        break;
    }
    if (ok) {
      totals.Clear();
      for (const QsoRecord& q : log) {
        totals.Add(BandOfFreq(q.Freq), static_cast<std::uint16_t>(q.Score),
                   static_cast<std::uint16_t>(q.Multi), static_cast<std::uint16_t>(q.Bonus));
      }
    }
    return ok;
  }
  TLogCollection& log;
  TTreeRules& rules;
  BandTotals& totals;
};

// The UI-thread side of one station; the exchange and the handler journal to `journal`.
struct StationSide {
  TLogCollection log;
  TTreeRules rules;
  BandTotals totals;
  NetExchange exchange;
  ScoredLog owner{log, rules, totals};
  NetHandler handler{owner, exchange};

  explicit StationSide(Journal* journal = nullptr) : exchange(journal) {
    rules.SetCountryLists(&Lists());
    rules.SetLog(&log);
    pugi::xml_document doc;
    doc.load_string(kTestRules);
    ParseRuleElements(rules, doc.child("contest"));
  }

  // A QSO logged at this station's keyboard: appended with its points, and sent.
  void LogAtKeyboard(const QsoRecord& q) {
    log.Append(q);
    handler.SendQso(1, log.At(log.Count() - 1));
  }

  // Every message waiting to be sent, oldest first.
  std::vector<std::string> Outgoing() {
    std::vector<std::string> out;
    while (auto m = exchange.TakeOutgoing()) out.push_back(*m);
    return out;
  }
};

}  // namespace vk::nettest
