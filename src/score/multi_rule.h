// Multiplier and bonus rules: nodes that remember which keys (countries, zones, prefixes,
// regions...) have been worked and say whether a QSO brings a new one.  Built from the
// lower-cased text "kind:weight[:conditions]", e.g. "dxcc:1:everyband", "zonecq:1:20m",
// "wpx:1", "domestic:2:everyband everymode".  With fields declared by <exchange>, a kind may
// name the field it reads: "domestic.sect:1" counts the sect field when it is an entry of the
// domestic list, "field.qth:1" counts the qth field whatever it holds.  The condition word "wholeword" makes a domestic
// rule find its entries as whole words of the exchange only ("domestic:1:everyband
// wholeword": TRAC is not RAC); without it an entry is found anywhere inside the text.
//
// Further condition words: "80m=4" (a new key on that band weighs 4; any band word), for
// dxcc "foreign" (the own country is no multiplier) and "areas=k/ve/ja" (those countries
// count by call area: K1 and W1 are one key, K1 and K2 two), and for the kinds that read the
// exchange "initial" (only the first letter counts: DOK B36 is district B), "letters" (only
// a key of letters counts: a district code, never a serial) and "except=nm" (those texts are
// no key).
//
// Keys are kept per slot, one slot per band-and-mode combination the rule distinguishes:
// a rule with "everyband" counts a country again on every band, one with a fixed band keeps
// all its keys in that band's slot.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "score/key_list.h"
#include "score/rule_node.h"
#include "score/score_context.h"
#include "util/bands.h"

namespace vk {

class Journal;

enum class MultiKind : std::uint8_t {
  kNewCall,   // the call itself
  kZoneCq,    // CQ zone 1..40 from the exchange
  kZoneItu,   // ITU zone 1..90 from the exchange
  kZoneRf,    // first character of the exchange (the Russian zone digit)
  kRfObl,     // oblast code of the call in the Russian list
  kDxcc,      // primary prefix of the call in the world list
  kRda1,      // first 4 characters of the exchange
  kRda,       // last 4 characters of the exchange
  kWpx,       // WPX prefix of the call
  kRxNr1,     // exchange field before the separator
  kRxNr3,     // third exchange field
  kRxNr,      // exchange field after the separator
  kDomestic,  // domestic-list entry found in the field after the separator
  kField,     // a named field of the received exchange (field.NAME), as typed
};

// "everyband" / "everymode" in a condition.
inline constexpr std::uint8_t kEveryCondition = 255;

class MultiRule final : public RuleNode {
 public:
  // `nodeKind` 5 (multi) or 6 (bonus); `argument` the element's first attribute (the caption
  // of the rxnr and domestic kinds, Windows-1251).  nullptr for another node kind, a text
  // without ":" or an unknown kind: the loader then appends nothing.  Journals the element
  // (`journal` nullptr: nowhere).
  static std::unique_ptr<MultiRule> Make(int nodeKind, std::string_view value,
                                         std::string_view argument, Journal* journal = nullptr);

  // The rule's weight when the QSO brings a key not yet recorded in its slot, else 0.
  std::uint8_t IsNew(std::string_view call, std::string_view rx, std::uint8_t band, Mode mode,
                     ScoreContext& ctx) const;
  // Records the QSO's key in its slot (no applicability test; a repeat key changes nothing).
  void Add(std::string_view call, std::string_view rx, std::uint8_t band, Mode mode,
           ScoreContext& ctx);

  // Forgets every recorded key of every slot, as before the first QSO.
  void ClearKeys();

  bool IsNewKey(std::string_view key, std::uint8_t band, Mode mode) const;
  bool IsNewDomestic(std::string_view key, std::uint8_t band, Mode mode,
                     const ScoreContext& ctx) const;
  // First domestic entry inside `key`, or nullptr.
  static const std::string* FindDomestic(std::string_view key, const ScoreContext& ctx);

  // A QSO whose band and mode both miss the rule's fixed conditions is outside it.
  bool Outside(std::uint8_t band, Mode mode) const;
  // Slot number 0..255 of a QSO; only slots reached by bands 1..9 and modes 1..3 have a list.
  std::uint8_t SlotOf(std::uint8_t band, Mode mode) const;
  // The recorded keys of a QSO's slot, nullptr when the slot has no list (band 0 under
  // everyband, RTTY or PSK31 under everymode).  Such QSOs are never new and record nothing:
  // the rules file cannot ask for those slots, so counting them would invent multipliers.
  const KeyList* Keys(std::uint8_t band, Mode mode) const;

  MultiKind Kind() const { return kind_; }
  std::uint8_t Weight() const { return weight_; }
  // The weight of a new key on a band: a "80m=4" condition's, else the rule's weight.
  std::uint8_t WeightOn(std::uint8_t band) const {
    return band < bandWeights_.size() && bandWeights_[band] != 0 ? bandWeights_[band] : weight_;
  }
  std::uint8_t BandCondition() const { return band_; }  // 0 none, 1..9, 255 everyband
  // 0 none, a mode's number (CW, PH or FM), 255 everymode.
  std::uint8_t ModeCondition() const { return mode_; }
  bool WholeWords() const { return wholeWords_; }
  const std::string& Caption() const { return caption_; }  // CP866, at most 16 characters
  // The exchange field the rule reads ("sect" of domestic.sect), empty for the classic kinds.
  const std::string& Field() const { return field_; }

  MultiRule(NodeKind nodeKind, MultiKind kind);

 private:
  KeyList* MutableKeys(std::uint8_t band, Mode mode);
  const std::string* EntryOf(std::string_view key, const ScoreContext& ctx) const;
  // The key of a rule that reads a named field: the field's text, or for domestic the list
  // entry it equals.  False when the field is missing or (domestic) no entry.
  bool FieldKey(std::string_view rx, const ScoreContext& ctx, std::string& out) const;
  // The key conditions applied to a formed key: "foreign", "areas=", "except=", "initial".
  // False when the QSO keeps no key.  `key` may be moved into `scratch`.
  bool Refine(std::string_view call, ScoreContext& ctx, std::string& scratch,
              std::string_view& key) const;
  bool KeyOfQso(std::string_view call, std::string_view rx, ScoreContext& ctx,
                std::string& scratch, std::string_view& key) const;

  MultiKind kind_;
  std::uint8_t weight_ = 0;
  std::uint8_t band_ = 0;
  std::uint8_t mode_ = 0;  // the condition, as ModeCondition
  bool wholeWords_ = false;  // domestic entries only as whole words of the exchange
  bool foreign_ = false;     // dxcc: the own country is no key
  bool initial_ = false;     // the key is the first letter of the text
  bool letters_ = false;     // only a key of letters counts (a district code, not a serial)
  std::vector<std::string> areas_;   // dxcc: countries counted by call area (lower case)
  std::vector<std::string> except_;  // texts that are no key (lower case)
  std::array<std::uint8_t, 10> bandWeights_{};  // by band number; 0: the rule's weight
  std::string caption_;
  std::string field_;
  std::array<std::unique_ptr<KeyList>, 256> slots_;
};

// The key of a QSO for a multiplier kind; false when none can be formed.  `key` may point into
// `call`, `rx`, a context lookup or `scratch`.  For kDomestic it is the field to search.
bool MultiKeyOf(MultiKind kind, std::string_view call, std::string_view rx, ScoreContext& ctx,
                std::string& scratch, std::string_view& key);

// WPX prefix of a call: "K1TEO/8" -> "K8", "RA3AAA/P" -> "RA3", "XEFTJW" -> "XE0"; a
// portable designator is the prefix ("N8BJQ/KH9" -> "KH9", "PA/N8BJQ" -> "PA0").
std::string WpxPrefix(std::string_view call);

}  // namespace vk
