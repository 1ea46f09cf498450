#include "rules/tree_rules.h"

#include "log/journal.h"
#include "score/multi_rule.h"
#include "score/score_rule.h"
#include "util/bands.h"
#include "util/strings.h"

namespace vk {

TTreeRules::TTreeRules(Journal* journal) : ctx_(journal) {
  nodes_.reserve(20);
}
TTreeRules::~TTreeRules() = default;

void TTreeRules::SetCountryLists(const CountryLists* lists) {
  lists_ = lists;
  ctx_.SetLists(lists ? &lists->world : nullptr, lists ? &lists->russian : nullptr);
  otherValid_ = false;
  // The own record came from the old lists; look the call up again in the new ones.
  std::string own = ctx_.OwnCall();
  ctx_.SetOwnCall(own);
}

bool TTreeRules::SetOwnCall(std::string_view call) { return ctx_.SetOwnCall(call); }

void TTreeRules::SetRxCorrection(RxCorrection c, std::string_view parameter) {
  rxCorrection_ = c;
  if (c == RxCorrection::kSplit) correctionParam_ = parameter;
}

// Selectors choose the record of the station they are asked about: the own record for the
// own call, otherwise the record of the station last looked up by GetTxNr.
const CountryInfo& TTreeRules::StationOf(std::string_view call) const {
  return call == ctx_.OwnCall() ? ctx_.Own() : other_;
}

void TTreeRules::LookUpOther(std::string_view call) {
  if (call == ctx_.OwnCall()) return;
  if (otherValid_ && call == otherCall_) return;
  otherCall_.assign(call);
  otherValid_ = true;
  if (lists_ == nullptr) {
    other_.Clear();
  } else {
    LookupWorld(*lists_, call, other_);
  }
}

const QsoRecord* TTreeRules::LastQso() const {
  if (log_ == nullptr || log_->Empty()) return nullptr;
  return log_->At(log_->Count() - 1);
}

// The log is in time order, and a QSO stamped ahead (a clock stepped on, a station of the group
// whose clock runs ahead) stands after QSOs logged later: the serial continues from the
// highest among the last QSOs of the sequence, so that no serial is sent twice.
const QsoRecord* TTreeRules::SerialBase(SerialText text) const {
  if (log_ == nullptr) return nullptr;
  constexpr int kSerialLookBack = 64;
  const QsoRecord* best = nullptr;
  long long bestSerial = 0;
  int seen = 0;
  for (int i = log_->Count() - 1; i >= 0 && seen < kSerialLookBack; --i) {
    const QsoRecord* q = log_->At(i);
    const bool inSequence = serial_.scope == SerialScope::kLog ||
                            (serial_.scope == SerialScope::kStation
                                 ? GuidStationPart(q->Guid) == serial_.stationPart
                                 : BandOfFreq(q->Freq) == currentBand_);
    if (!inSequence) continue;
    ++seen;
    const long long serial = StrToIntDefM1(text(q->Sent));
    if (best == nullptr || serial > bestSerial) {
      best = q;
      bestSerial = serial;
    }
  }
  return best;
}

// Selectors of the points and multiplier walks: country and continent test the own station,
// hiscountry and hiscontinent the worked one, each with its own "*" flag.
bool TTreeRules::SelectorMatches(const SelectorRule& sel, std::string_view call) {
  if (!sel.OnWorked()) return sel.Matches(ctx_.Own(), otherwise_);
  return sel.Matches(ctx_.WorldInfo(call), hisOtherwise_);
}

// --- points -------------------------------------------------------------------------------

std::uint16_t TTreeRules::GetScore(std::string_view call, std::string_view rx, std::uint8_t band,
                                   Mode mode) {
  otherwise_ = false;
  hisOtherwise_ = false;
  bool decided = false;
  return static_cast<std::uint16_t>(ScoreOf(nodes_, call, rx, band, mode, decided));
}

// The first answer of a branch, in document order, that decides: a non-zero one, or that of
// a final rule which pays (own-country QSOs worth nothing).  `decided` tells the caller
// whether to stop.
int TTreeRules::ScoreOf(const RuleList& list, std::string_view call, std::string_view rx,
                        std::uint8_t band, Mode mode, bool& decided) {
  for (const auto& node : list) {
    int result = 0;
    decided = false;
    if (node->Kind() == NodeKind::kSelector) {
      auto& sel = static_cast<SelectorRule&>(*node);
      if (SelectorMatches(sel, call))
        result = ScoreOf(sel.Children(), call, rx, band, mode, decided);
    } else if (node->Kind() == NodeKind::kScore) {
      result = static_cast<const ScoreRule&>(*node).Score(call, band, rx, mode, ctx_, decided);
    }
    if (decided || result != 0) {
      decided = true;
      return result;
    }
  }
  decided = false;
  return 0;
}

// --- multipliers and bonuses --------------------------------------------------------------

std::uint16_t TTreeRules::GetMulti(std::string_view call, std::string_view rx, std::uint8_t band,
                                   Mode mode, bool commit) {
  Journal* const journal = ctx_.journal();
  JournalTrace(journal, "TTreeRules.GetMulti: start function");
  otherwise_ = false;
  hisOtherwise_ = false;
  int total = MultiOf(nodes_, NodeKind::kMulti, call, rx, band, mode, commit, true);
  if (JournalTracing(journal)) JournalTrace(journal, "TreeRules.GetMulti:W=" + IntToStr(total));
  return static_cast<std::uint16_t>(total);
}

std::uint16_t TTreeRules::GetBonus(std::string_view call, std::string_view rx, std::uint8_t band,
                                   Mode mode, bool commit) {
  otherwise_ = false;
  hisOtherwise_ = false;
  return static_cast<std::uint16_t>(
      MultiOf(nodes_, NodeKind::kBonus, call, rx, band, mode, commit, true));
}

// Every rule of the list is asked, and once the running total of the list is non-zero every
// later rule records the QSO's key when committing: a QSO that brings one new multiplier has
// all its keys noted, so none of them counts as new later.
int TTreeRules::MultiOf(const RuleList& list, NodeKind kind, std::string_view call,
                        std::string_view rx, std::uint8_t band, Mode mode, bool commit, bool top) {
  Journal* const journal = ctx_.journal();
  const bool trace = kind == NodeKind::kMulti && JournalTracing(journal);
  int total = 0;
  for (const auto& node : list) {
    if (trace) {
      JournalTrace(journal, (top ? "WHO->" : "Children.WHC->") + IntToStr(node->KindNumber()));
    }
    if (node->Kind() == NodeKind::kSelector) {
      auto& sel = static_cast<SelectorRule&>(*node);
      if (SelectorMatches(sel, call))
        total += MultiOf(sel.Children(), kind, call, rx, band, mode, commit, false);
    } else if (node->Kind() == kind) {
      auto& rule = static_cast<MultiRule&>(*node);
      total += rule.IsNew(call, rx, band, mode, ctx_);
      if (trace && top) JournalTrace(journal, "TTreeRules.GetMulti:" + IntToStr(total));
      if (commit && total != 0) rule.Add(call, rx, band, mode, ctx_);
    }
  }
  return total;
}

namespace {

void ClearKeysOf(RuleList& list) {
  for (auto& node : list) {
    if (node->Kind() == NodeKind::kSelector) {
      ClearKeysOf(static_cast<SelectorRule&>(*node).Children());
    } else if (node->Kind() == NodeKind::kMulti || node->Kind() == NodeKind::kBonus) {
      static_cast<MultiRule&>(*node).ClearKeys();
    }
  }
}

}  // namespace

void TTreeRules::ResetTallies() { ClearKeysOf(nodes_); }

// --- country ---------------------------------------------------------------------------------

CountryInfo TTreeRules::CountryOf(std::string_view call) {
  LookUpOther(call);
  return StationOf(call);
}

}  // namespace vk
