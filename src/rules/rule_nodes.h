// The two node kinds that belong to the rule tree itself: selectors, which choose a branch of
// rules by the country or continent of a station, and the items of the sent exchange.  The
// score, multiplier and bonus nodes come from the score module.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "country/country.h"
#include "score/rule_node.h"

namespace vk {

using RuleList = std::vector<std::unique_ptr<RuleNode>>;

enum class SelectorKind : std::uint8_t {
  kCountry,    // list of primary prefixes ("UA,UA2,UA9") or "*"
  kContinent,  // list of continent codes ("EU,AS") or "*"
  kMember,     // always matches; holds nothing
  // The same tests on the worked station, for contests whose two sides score differently
  // (W/VE stations work the world, the world works W/VE): in the points and multiplier walks
  // these look at the other station, where country and continent look at the own one.
  kHisCountry,
  kHisContinent,
};

class SelectorRule final : public RuleNode {
 public:
  SelectorRule(SelectorKind kind, std::string_view list);

  // Whether the branch applies to a station with this record.  `otherwise` is the walk's
  // flag: a "*" list matches only while no earlier country or continent selector of the same
  // walk has matched, and every match of a real list sets it.
  bool Matches(const CountryInfo& station, bool& otherwise) const;

  SelectorKind Selector() const { return kind_; }
  bool OnWorked() const {
    return kind_ == SelectorKind::kHisCountry || kind_ == SelectorKind::kHisContinent;
  }
  const std::string& List() const { return list_; }
  RuleList& Children() { return children_; }
  const RuleList& Children() const { return children_; }

 private:
  SelectorKind kind_;
  std::string list_;
  bool any_ = false;                // list is exactly "*"
  std::vector<std::string> items_;  // list split at ",", not trimmed: the file is exact
  RuleList children_;
};

enum class TxItemKind : std::uint8_t {
  kRst,        // signal report: 599 in CW, 59 otherwise
  kQsoNr,      // serial number, one more than in the last QSO's sent exchange
  kConstNr,    // the operator's own exchange text
  kZoneCq,     // CQ zone
  kZoneItu,    // ITU zone
  kZoneRf,     // Russian zone digit
  kContinent,  // continent code
  kRfObl,      // Russian oblast code
  kChangeNrL,  // first number of the last QSO's received exchange
  kChangeNrR,  // second number of the last QSO's received exchange
};

class TxItemRule final : public RuleNode {
 public:
  // `position` is the count of txnr elements read so far, this one included: it tells the
  // serial number which field of the last sent exchange holds the previous serial.
  TxItemRule(TxItemKind kind, int position)
      : RuleNode(NodeKind::kTxItem), kind_(kind), position_(position) {}

  // The item of a txnr value ("rst", "qsonr", ...); false for any other value.
  static bool KindOfValue(std::string_view value, TxItemKind& kind);

  TxItemKind Item() const { return kind_; }
  int Position() const { return position_; }

 private:
  TxItemKind kind_;
  int position_;
};

}  // namespace vk
