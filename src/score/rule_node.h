// The common head of every node of the contest rule tree.  The tree walk dispatches on the
// kind number alone, so nodes of the score module (points, multipliers, bonuses) and those of
// the rule tree itself (selectors, sent-exchange items) share this one base.
#pragma once

#include <cstdint>

namespace vk {

// The numbers are those written to the journal by the multiplier walk ("WHO->5").
enum class NodeKind : std::uint8_t {
  kTxItem = 1,    // one item of the sent exchange
  kSelector = 3,  // country / continent / member, with children
  kScore = 4,     // points of a QSO
  kMulti = 5,     // multiplier
  kBonus = 6,     // bonus
};

class RuleNode {
 public:
  explicit RuleNode(NodeKind kind) : kind_(kind) {}
  virtual ~RuleNode() = default;
  RuleNode(const RuleNode&) = delete;
  RuleNode& operator=(const RuleNode&) = delete;

  NodeKind Kind() const { return kind_; }
  int KindNumber() const { return static_cast<int>(kind_); }

 private:
  NodeKind kind_;
};

}  // namespace vk
