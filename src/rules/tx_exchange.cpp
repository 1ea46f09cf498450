// The exchange side of the rule tree: the exchange to send, the exchange to expect from a
// station, the received-exchange prefill and the normalisation of a typed exchange.
#include <algorithm>

#include "rules/tree_rules.h"
#include "score/score_rule.h"
#include "util/strings.h"

namespace vk {

namespace {

// Text up to the first space, or the whole text.
std::string_view BeforeSpace(std::string_view s) { return s.substr(0, s.find(' ')); }

// Text after the first space; the whole text when there is none.
std::string_view AfterSpace(std::string_view s) {
  auto p = s.find(' ');
  return p == std::string_view::npos ? s : s.substr(p + 1);
}

// Where the serial stands in a sent exchange, by the item's position.
std::string_view SerialWhole(std::string_view s) { return s; }
std::string_view SerialBeforeSpace(std::string_view s) { return BeforeSpace(s); }
std::string_view SerialSecond(std::string_view s) { return BeforeSpace(AfterSpace(s)); }
std::string_view SerialAfterSpace(std::string_view s) { return AfterSpace(s); }

}  // namespace

// One more than a serial read from the log (text that is not a number counts as -1), and
// never below the first serial of the station's own block when it has one.
std::string TTreeRules::NextSerialAfter(std::string_view previous) const {
  const long long next = static_cast<long long>(StrToIntDefM1(previous)) + 1;
  return Serial3(serial_.first > 1 ? std::max(next, serial_.first) : next);
}

std::string JoinTx(std::string a, std::string_view b) {
  if (!a.empty() && a.front() == ' ') a.erase(0, 1);
  if (a.size() > 1 && a.ends_with("/ ")) a.pop_back();
  a.append(b);
  return a;
}

// Serials keep three digits until the thousandth QSO and then grow: 999, 1000, 1001.
std::string Serial3(long long n) {
  if (n >= 1000) return IntToStr(n);
  return Rightmost("00" + IntToStr(n), 3);
}

// RST in the telegraphy modes (CW and RTTY), RS in phone.
std::string TTreeRules::Report() const {
  return currentMode_ == Mode::kCw || currentMode_ == Mode::kRtty ? "599" : "59";
}

std::string TTreeRules::GetTxNr(std::string_view call) {
  otherwise_ = false;
  LookUpOther(call);
  if (txProcedure_ == TxProcedure::kChampionship) return ChampionshipTx(call);
  return Trim(TxTextOf(nodes_, call));
}

std::string TTreeRules::TxTextOf(const RuleList& list, std::string_view call) {
  std::string text;
  for (const auto& node : list) {
    if (node->Kind() == NodeKind::kTxItem) {
      text = JoinTx(text + " ", ItemText(static_cast<const TxItemRule&>(*node), call));
    } else if (node->Kind() == NodeKind::kSelector) {
      auto& sel = static_cast<SelectorRule&>(*node);
      if (!sel.Matches(StationOf(call), otherwise_)) continue;
      // A branch's items are separated from what came before like any other item; an empty
      // branch adds nothing, not even the space.
      std::string sub = TxTextOf(sel.Children(), call);
      if (!sub.empty()) text = JoinTx(text + " ", sub);
    }
  }
  return text;
}

std::string TTreeRules::ItemText(const TxItemRule& item, std::string_view call) {
  if (call == ctx_.OwnCall()) return OwnItemText(item);
  switch (item.Item()) {
    case TxItemKind::kRst: return Report() + "/";
    case TxItemKind::kZoneCq: return other_.cqZone;
    case TxItemKind::kZoneItu: return other_.ituZone;
    case TxItemKind::kContinent: return other_.continent;
    case TxItemKind::kZoneRf: return IntToStr(ctx_.RussianZone(call)) + "/";
    case TxItemKind::kRfObl: return ctx_.RussianInfo(call).primaryPrefix;
    default: return {};  // serials and own texts are not expected from others
  }
}

std::string TTreeRules::OwnItemText(const TxItemRule& item) {
  const CountryInfo& own = ctx_.Own();
  const std::string& exch = ctx_.OwnExchange();
  const QsoRecord* last = LastQso();
  switch (item.Item()) {
    case TxItemKind::kRst: return Report();
    case TxItemKind::kQsoNr: {
      const SerialText text = item.Position() == 1   ? SerialBeforeSpace
                              : item.Position() == 2 ? SerialSecond
                                                     : SerialWhole;
      const QsoRecord* base = SerialBase(text);
      if (base == nullptr) return NextSerialAfter("0");
      return NextSerialAfter(text(base->Sent));
    }
    case TxItemKind::kConstNr: return exch;
    case TxItemKind::kZoneCq: return own.cqZone;
    case TxItemKind::kZoneItu: {
      // A zone typed as the own exchange is the one the points are counted from: send it.
      long long zone = OwnItuZone(ctx_);
      return zone != 0 ? IntToStr(zone) : own.ituZone;
    }
    case TxItemKind::kContinent: return own.continent;
    case TxItemKind::kZoneRf: return exch.empty() ? IntToStr(ctx_.OwnRussianZone()) : exch;
    case TxItemKind::kRfObl:
      return exch.empty() ? ctx_.RussianInfo(ctx_.OwnCall()).primaryPrefix : exch;
    case TxItemKind::kChangeNrL: return last ? last->Rcvd.substr(0, 3) : "000";
    case TxItemKind::kChangeNrR:
      return last ? std::string(AfterSpace(last->Rcvd).substr(0, 3)) : "000";
  }
  return {};
}

// Russian championship: the own station sends its exchange (or the report) and a serial; of
// another station the exchange it gave last time is expected again.
std::string TTreeRules::ChampionshipTx(std::string_view call) const {
  if (call == ctx_.OwnCall()) {
    std::string head = ctx_.OwnExchange().empty() ? Report() : ctx_.OwnExchange();
    const QsoRecord* base = SerialBase(SerialAfterSpace);
    if (base == nullptr) return head + " " + NextSerialAfter("0");
    return head + " " + NextSerialAfter(AfterSpace(base->Sent));
  }
  if (log_ != nullptr) {
    for (int i = log_->Count() - 1; i >= 0; --i) {
      const QsoRecord* q = log_->At(i);
      if (q->Call != call) continue;
      std::string part(BeforeSpace(q->Rcvd));
      if (part == "59" || part == "599") part = Report();
      return part + "/";
    }
  }
  return Report() + "/";
}

std::string TTreeRules::CorrectRxNr(std::string_view text) const {
  // Declared fields: typed in any order, stored in the declared one.
  if (!ctx_.Exchange().Empty()) return NormalisedExchange(ctx_.Exchange(), text, &ctx_);
  std::string s(text);
  switch (rxCorrection_) {
    case RxCorrection::kSlashes:
      std::replace(s.begin(), s.end(), '/', ' ');
      break;
    case RxCorrection::kChampionship:
      if (auto p = s.find('/'); p != std::string::npos) s[p] = ' ';
      break;
    case RxCorrection::kInsertSpace:
      s.insert(std::min<std::size_t>(3, s.size()), " ");
      break;
    case RxCorrection::kSplit: {
      if (correctionParam_.empty() || correctionParam_[0] != ':') break;
      long long n = StrToIntDefM1(std::string_view(correctionParam_).substr(1, 2));
      // Numbers that do not fit put the space at the nearer end instead of outside the text.
      long long at = std::clamp<long long>(static_cast<long long>(s.size()) - n, 0,
                                           static_cast<long long>(s.size()));
      s.insert(static_cast<std::size_t>(at), " ");
      break;
    }
  }
  return s;
}

std::string TTreeRules::ExchangeProblem(std::string_view rx) const {
  if (ctx_.Exchange().Empty()) return {};
  return vk::ExchangeProblem(ctx_.Exchange(), rx, &ctx_);
}

std::string TTreeRules::PrefillRxNr(std::string_view call) const {
  if (settings_.rxUpdate != 1 || log_ == nullptr) return {};
  for (int i = log_->Count() - 1; i >= 0; --i) {
    const QsoRecord* q = log_->At(i);
    if (q->Call != call) continue;
    auto p = q->Rcvd.find(' ');
    return p == std::string::npos ? std::string{} : q->Rcvd.substr(0, p + 1);
  }
  return {};
}

}  // namespace vk
