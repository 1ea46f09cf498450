// The rule tree of the loaded contest and every question the program asks it about a contact:
// points, new multipliers and bonuses (recording them when asked to), the exchange to send,
// the exchange to expect, and how a typed exchange is normalised.
//
// The shell owns one TTreeRules for the whole run, together with the country lists and the
// log, and wires them in with SetCountryLists and SetLog; the tree keeps plain pointers and
// never owns either.  Loading a contest (rules_loader.h) appends to the tree; nothing empties
// it.  UI thread only.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "country/country.h"
#include "log/log_collection.h"
#include "rules/contest_settings.h"
#include "rules/rule_nodes.h"
#include "rules/serial_plan.h"
#include "score/score_context.h"

namespace vk {

class TTreeRules {
 public:
  // `journal` (nullptr: none) hears the loader's complaints, the multipliers recorded and,
  // while tracing, the walk of every multiplier query; it outlives the tree.
  explicit TTreeRules(Journal* journal = nullptr);
  ~TTreeRules();
  TTreeRules(const TTreeRules&) = delete;
  TTreeRules& operator=(const TTreeRules&) = delete;

  // Wiring.  Both must outlive the tree or be replaced; nullptr means "none" (no lookups
  // find anything; an absent log reads as empty).
  void SetCountryLists(const CountryLists* lists);
  void SetLog(const TLogCollection* log) { log_ = log; }

  // The station's own call; looked up in the world list at once and again by every contest
  // load.  False when a non-empty call is not in the world list.
  bool SetOwnCall(std::string_view call);
  const std::string& OwnCall() const { return ctx_.OwnCall(); }
  // The operator's own exchange from the contest settings.
  void SetOwnExchange(std::string_view text) { ctx_.SetOwnExchange(text); }
  const std::string& OwnExchange() const { return ctx_.OwnExchange(); }
  // Mode of the entry window: decides between the reports 599 (CW) and 59.
  void SetCurrentMode(Mode mode) { currentMode_ = mode; }
  Mode CurrentMode() const { return currentMode_; }
  // Band index of the entry window: the band whose QSOs a per-band serial continues.
  void SetCurrentBand(std::uint8_t band) { currentBand_ = band; }
  // Which QSOs the sent serial continues from (rules/serial_plan.h); the log's last by default.
  void SetSerialPlan(const SerialPlan& plan) { serial_ = plan; }
  const SerialPlan& GetSerialPlan() const { return serial_; }

  // Queries.  Bands are indexes 1..9 (0 outside every band), modes 1..5 as the QSO stores
  // them, `rx` the received exchange as typed (upper case).  Results wrap to 16 bits as the
  // QSO fields do: a rule of -1 points reads as 65535.
  std::uint16_t GetScore(std::string_view call, std::string_view rx, std::uint8_t band, Mode mode);
  std::uint16_t GetMulti(std::string_view call, std::string_view rx, std::uint8_t band, Mode mode,
                         bool commit);
  std::uint16_t GetBonus(std::string_view call, std::string_view rx, std::uint8_t band, Mode mode,
                         bool commit);
  // Forgets every multiplier and bonus key recorded so far, so that the log can be scored again
  // from its first QSO (after a correction, or a log written under other rules).
  void ResetTallies();

  // With the own call: the exchange to send.  With another call: what that station is
  // expected to send, items ending in "/" ("599/16").
  std::string GetTxNr(std::string_view call);
  std::string CorrectRxNr(std::string_view text) const;
  // What the declared exchange fields miss or cannot read in a received exchange ("missing:
  // ck", "not understood: XYZ"); empty when all is there or the contest declares no fields.
  std::string ExchangeProblem(std::string_view rx) const;
  std::string PrefillRxNr(std::string_view call) const;
  // The country of a call as the country lists give it (the own call: the own station's), for
  // the entry window's country line; a call no list knows gets an empty entry.
  CountryInfo CountryOf(std::string_view call);

  // Contents, for the loader, the windows and the reports.
  RuleList& Nodes() { return nodes_; }
  const RuleList& Nodes() const { return nodes_; }
  ContestSettings& Settings() { return settings_; }
  const ContestSettings& Settings() const { return settings_; }
  std::vector<ErmakGroup>& ErmakGroups() { return ermak_; }
  const std::vector<ErmakGroup>& ErmakGroups() const { return ermak_; }
  ScoreContext& Context() { return ctx_; }
  Journal* journal() const { return ctx_.journal(); }
  const ScoreContext& Context() const { return ctx_; }
  const CountryInfo& OwnStation() const { return ctx_.Own(); }

  void SetTxProcedure(TxProcedure p) { txProcedure_ = p; }
  TxProcedure GetTxProcedure() const { return txProcedure_; }
  void SetRxCorrection(RxCorrection c, std::string_view parameter = {});
  RxCorrection GetRxCorrection() const { return rxCorrection_; }

 private:
  const CountryInfo& StationOf(std::string_view call) const;
  void LookUpOther(std::string_view call);
  bool SelectorMatches(const SelectorRule& sel, std::string_view call);
  int ScoreOf(const RuleList& list, std::string_view call, std::string_view rx, std::uint8_t band,
              Mode mode, bool& decided);
  int MultiOf(const RuleList& list, NodeKind kind, std::string_view call, std::string_view rx,
              std::uint8_t band, Mode mode, bool commit, bool top);
  std::string TxTextOf(const RuleList& list, std::string_view call);
  std::string ItemText(const TxItemRule& item, std::string_view call);
  std::string OwnItemText(const TxItemRule& item);
  std::string ChampionshipTx(std::string_view call) const;
  std::string Report() const;
  const QsoRecord* LastQso() const;
  // The QSO whose sent serial the next one continues: the highest serial among the last QSOs
  // of the serial plan's sequence.
  // The part of a sent exchange that holds the serial.
  using SerialText = std::string_view (*)(std::string_view sent);
  const QsoRecord* SerialBase(SerialText text) const;
  std::string NextSerialAfter(std::string_view previous) const;

  RuleList nodes_;
  ContestSettings settings_;
  std::vector<ErmakGroup> ermak_;
  ScoreContext ctx_;
  const CountryLists* lists_ = nullptr;
  const TLogCollection* log_ = nullptr;
  TxProcedure txProcedure_ = TxProcedure::kItems;
  RxCorrection rxCorrection_ = RxCorrection::kSlashes;
  std::string correctionParam_;  // the rxcorrect value, ":N"
  Mode currentMode_ = Mode::kCw;
  std::uint8_t currentBand_ = 0;
  SerialPlan serial_;
  // The station most recently asked about by GetTxNr or CountryOf, so that repeated
  // questions while a call is typed do not repeat the lookup.
  std::string otherCall_;
  CountryInfo other_;
  bool otherValid_ = false;
  // Set by every country or continent selector that matches in the current walk.
  bool otherwise_ = false;
  bool hisOtherwise_ = false;  // the same for the worked-station selectors
};

// Exchange texts joined the way the sent exchange is built: one space between items, none
// after an item that ends in "/".  Exposed for tests.
std::string JoinTx(std::string a, std::string_view b);
// A serial of at least three digits: 1 -> "001", 123 -> "123", 1000 -> "1000".
std::string Serial3(long long n);

}  // namespace vk
