#include "rules/rules_check.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <utility>

#include <pugixml.hpp>

#include "country/country.h"
#include "rules/loader_parts.h"
#include "rules/xml_file.h"
#include "score/computed_score.h"
#include "score/exchange_fields.h"
#include "score/multi_rule.h"
#include "score/score_rule.h"
#include "score/text_util.h"
#include "util/bounded_file.h"
#include "util/strings.h"

namespace vk {

namespace {

constexpr std::array<std::string_view, 9> kBandWords{"160", "80",  "40",  "20",  "15",
                                                    "10",  "144", "430", "1300"};
constexpr std::array<std::string_view, 4> kModeWords{"cw", "ph", "fm", "ry"};
constexpr std::array<std::string_view, 7> kContinents{"EU", "AS", "AF", "NA", "SA", "OC", "AN"};
constexpr std::array<std::string_view, 4> kTotals{"scoreaddbonus", "scoreaddmultiaddbonus",
                                                  "scoremulmulti", "scrmulmltaddbns"};
constexpr std::array<std::string_view, 5> kRepeats{"band", "bandmode", "bandtime",
                                                   "bandmodetime", "once"};
constexpr std::array<std::string_view, 10> kTxItems{
    "rst", "qsonr", "constnr", "zonecq", "zoneitu", "zonerf", "continent", "rfobl",
    "changenrl", "changenrr"};
constexpr std::array<std::string_view, 13> kMultiKinds{
    "newcall", "zonecq", "zoneitu", "zonerf", "rfobl", "dxcc", "rda1",
    "rda",     "wpx",    "rxnr1",   "rxnr3",  "rxnr", "domestic"};

template <std::size_t N>
bool OneOf(const std::array<std::string_view, N>& words, std::string_view w) {
  return std::find(words.begin(), words.end(), w) != words.end();
}

std::vector<std::string_view> Words(std::string_view text, std::string_view separators) {
  std::vector<std::string_view> out;
  std::size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && separators.find(text[i]) != std::string_view::npos) ++i;
    std::size_t j = i;
    while (j < text.size() && separators.find(text[j]) == std::string_view::npos) ++j;
    if (j > i) out.push_back(text.substr(i, j - i));
    i = j;
  }
  return out;
}

bool IsNumber(std::string_view s, long long lo, long long hi) {
  long long n = 0;
  return TryStrToInt(score_text::TrimBlank(s), n) && n >= lo && n <= hi;
}

// A condition word of a score or multiplier rule: band and mode tokens and the flags the rule
// kind knows.  "160m" style for bands; "144", "430", "1300" as written.
bool IsBandCondition(std::string_view w) {
  static constexpr std::array<std::string_view, 9> kTokens{"160m", "80m", "40m", "20m", "15m",
                                                          "10m",  "144", "430", "1300"};
  return OneOf(kTokens, w);
}

struct ContestFacts {
  bool bands = false, modes = false, repeat = false;
  std::set<std::uint8_t> bandSet;  // band numbers of <band>
  std::set<std::string> modeSet;   // mode words of <mode>
  bool domesticEntries = false;
  std::vector<std::pair<int, std::string>> domesticUsers;  // line, what uses the list
  std::vector<std::string> fields;                        // <exchange> field names
  std::vector<std::pair<int, std::string>> fieldUsers;    // line, field name a rule keys on
  // Conditions to check once the whole contest is read: line, band number or mode word.
  std::vector<std::pair<int, std::uint8_t>> bandConditions;
  std::vector<std::pair<int, std::string>> modeConditions;
};

class Checker {
 public:
  Checker(std::string file, std::string text, const CountryLists* countries)
      : file_(std::move(file)), text_(std::move(text)), countries_(countries) {
    dir_ = std::filesystem::path(file_).parent_path().string();
    if (dir_.empty()) dir_ = ".";
  }

  std::vector<RulesProblem> Run(const std::string* only);

 private:
  int LineOf(const pugi::xml_node& n) const {
    const std::ptrdiff_t off = n.offset_debug();
    if (off < 0) return 0;
    const auto end = text_.begin() + std::min<std::ptrdiff_t>(off, std::ssize(text_));
    return 1 + static_cast<int>(std::count(text_.begin(), end, '\n'));
  }
  void Report(const pugi::xml_node& n, std::string message) {
    problems_.push_back({file_, LineOf(n), std::move(message)});
  }
  void CheckContest(const pugi::xml_node& c);
  void CheckList(const pugi::xml_node& parent, ContestFacts& facts, int depth);
  void CheckElement(const pugi::xml_node& e, ContestFacts& facts, int depth,
                    bool& alwaysPays, int& alwaysPaysLine);
  void CheckScore(const pugi::xml_node& e, std::string_view keyword, std::string_view value,
                  ContestFacts& facts, bool& alwaysPays, int& alwaysPaysLine);
  void CheckMulti(const pugi::xml_node& e, std::string_view keyword, std::string_view value,
                  ContestFacts& facts);
  void CheckSelector(const pugi::xml_node& e, std::string_view keyword);
  void CheckPrefixes(const pugi::xml_node& e, std::string_view list, std::string_view what);
  void CheckDomestic(const pugi::xml_node& e, ContestFacts& facts);
  void CheckValueCondition(const pugi::xml_node& e, std::string_view w);
  void CheckConditions(const pugi::xml_node& e, std::string_view conditions,
                       std::string_view keyword, ContestFacts& facts, bool multi);
  bool KnownPrefix(std::string_view prefix) const;

  std::string file_;
  std::string text_;
  std::string dir_;
  const CountryLists* countries_;
  std::vector<RulesProblem> problems_;
};

bool Checker::KnownPrefix(std::string_view prefix) const {
  for (const CountryEntry& e : countries_->world.Entries()) {
    std::string_view p = e.primaryPrefix;
    if (p.starts_with('*')) p.remove_prefix(1);
    if (score_text::EqualNoCase(p, prefix) || score_text::EqualNoCase(e.primaryPrefix, prefix)) return true;
  }
  for (const CountryEntry& e : countries_->russian.Entries()) {
    if (score_text::EqualNoCase(e.primaryPrefix, prefix)) return true;
  }
  return false;
}

void Checker::CheckPrefixes(const pugi::xml_node& e, std::string_view list,
                            std::string_view what) {
  if (countries_ == nullptr || countries_->world.Empty()) return;
  for (std::string_view p : Words(list, ",")) {
    p = score_text::TrimBlank(p);
    if (p == "*" || p.empty()) continue;
    if (!KnownPrefix(p)) {
      Report(e, std::string(what) + " names \"" + std::string(p) +
                    "\", which is no primary prefix of the country files");
    }
  }
}

void Checker::CheckSelector(const pugi::xml_node& e, std::string_view keyword) {
  const std::string_view list = e.first_attribute().value();
  if (list.empty()) {
    Report(e, "<" + std::string(keyword) + "> needs a list as its first attribute (\"*\" for all)");
    return;
  }
  if (keyword == "continent" || keyword == "hiscontinent") {
    if (list == "*") return;
    for (std::string_view c : Words(list, ",")) {
      if (!OneOf(kContinents, c)) {
        Report(e, "unknown continent \"" + std::string(c) + "\" (EU AS AF NA SA OC AN)");
      }
    }
  } else if (list != "*") {
    CheckPrefixes(e, list, "<" + std::string(keyword) + ">");
  }
}

void Checker::CheckConditions(const pugi::xml_node& e, std::string_view conditions,
                              std::string_view keyword, ContestFacts& facts, bool multi) {
  for (std::string_view w : Words(conditions, " ,:\t")) {
    if (IsBandCondition(w)) {
      facts.bandConditions.push_back({LineOf(e), FindBandToken(w)});
    } else if (OneOf(kModeWords, w)) {
      facts.modeConditions.push_back({LineOf(e), std::string(w)});
    } else if (multi && (w == "everyband" || w == "everymode" || w == "wholeword" ||
                         w == "foreign" || w == "initial" || w == "letters")) {
    } else if (multi && w.find('=') != std::string_view::npos) {
      CheckValueCondition(e, w);
    } else if (!multi && (w == "final" || w == "mmzone")) {
    } else {
      Report(e, "unknown condition \"" + std::string(w) + "\" in <" + std::string(keyword) + ">");
    }
  }
}

// "80m=4" (a band's weight), "areas=k/ve" (countries by call area), "except=nm".
void Checker::CheckValueCondition(const pugi::xml_node& e, std::string_view w) {
  const auto eq = w.find('=');
  const std::string_view name = w.substr(0, eq), value = w.substr(eq + 1);
  if (IsBandCondition(name)) {
    if (!IsNumber(value, 1, 255))
      Report(e, "band weight \"" + std::string(w) + "\" is not a whole number 1..255");
  } else if (name == "areas") {
    for (std::string_view p : Words(value, "/")) CheckPrefixes(e, p, "areas=");
    if (value.empty()) Report(e, "areas= names no country");
  } else if (name == "except") {
    if (value.empty()) Report(e, "except= names nothing");
  } else {
    Report(e, "unknown condition \"" + std::string(w) + "\"");
  }
}

void Checker::CheckScore(const pugi::xml_node& e, std::string_view keyword,
                         std::string_view value, ContestFacts& facts, bool& alwaysPays,
                         int& alwaysPaysLine) {
  const int line = LineOf(e);
  if (alwaysPays) {
    Report(e, "<" + std::string(keyword) + "> is never reached: the rule at line " +
                  IntToStr(alwaysPaysLine) + " always pays first");
  }
  if (keyword == "scoredxcc") {
    const auto hash = value.find("##");
    if (hash == std::string_view::npos || score_text::TrimBlank(value.substr(hash + 2)).empty()) {
      Report(e, "<scoredxcc> needs points, \"##\" and a list of prefixes (10##ua,ua2)");
      return;
    }
    CheckPrefixes(e, value.substr(hash + 2), "<scoredxcc>");
    value = score_text::TrimBlank(value.substr(0, hash));
  }
  if (value.starts_with("@@")) {
    if (ComputedTableOfName(score_text::TrimBlank(value.substr(2))) == ComputedTable::kUnknown) {
      Report(e, "unknown computed score \"" + std::string(value.substr(2)) + "\"");
    }
    return;
  }
  const auto colon = value.find(':');
  const std::string_view points = score_text::TrimBlank(value.substr(0, colon));
  if (!IsNumber(points, -32768, 32767)) {
    Report(e, "points \"" + std::string(points) + "\" are not a whole number");
    return;
  }
  const std::string_view conditions =
      colon == std::string_view::npos ? std::string_view{} : value.substr(colon + 1);
  CheckConditions(e, conditions, keyword, facts, false);
  // A plain score rule without band or mode condition always decides: every score rule of
  // the same list after it is dead.
  if (keyword == "score" && FindBandToken(conditions) == 0 &&
      FindModeToken(conditions) == Mode::kUnknown &&
      (conditions.find("final") != std::string_view::npos || !IsNumber(points, 0, 0))) {
    alwaysPays = true;
    alwaysPaysLine = line;
  }
}

void Checker::CheckMulti(const pugi::xml_node& e, std::string_view keyword,
                         std::string_view value, ContestFacts& facts) {
  const auto colon = value.find(':');
  if (colon == std::string_view::npos) {
    Report(e, "<" + std::string(keyword) + "> \"" + std::string(value) +
                  "\" needs a weight: kind:weight[:conditions], e.g. \"" + std::string(value) +
                  ":1\"");
    return;
  }
  std::string_view kind = score_text::TrimBlank(value.substr(0, colon));
  std::string_view field;
  if (auto dot = kind.find('.'); dot != std::string_view::npos) {
    field = kind.substr(dot + 1);
    kind = kind.substr(0, dot);
    if (kind != "domestic" && kind != "field") {
      Report(e, "only the kinds domestic and field take an exchange field (" +
                    std::string(kind) + "." + std::string(field) + ")");
      return;
    }
    facts.fieldUsers.push_back({LineOf(e), std::string(field)});
  } else if (kind == "field") {
    Report(e, "the kind field needs an exchange field name: field.NAME:1");
    return;
  }
  if (!OneOf(kMultiKinds, kind) && kind != "field") {
    Report(e, "unknown multiplier kind \"" + std::string(kind) + "\"");
    return;
  }
  if (kind == "domestic") facts.domesticUsers.push_back({LineOf(e), std::string(keyword)});
  const std::string_view rest = value.substr(colon + 1);
  const auto second = rest.find(':');
  const std::string_view weight = score_text::TrimBlank(rest.substr(0, second));
  if (!IsNumber(weight, 0, 255)) {
    Report(e, "weight \"" + std::string(weight) + "\" is not a whole number 0..255");
  } else if (IsNumber(weight, 0, 0)) {
    Report(e, "weight 0: this multiplier never counts");
  }
  if (second != std::string_view::npos) CheckConditions(e, rest.substr(second + 1), keyword, facts, true);
}

void Checker::CheckDomestic(const pugi::xml_node& e, ContestFacts& facts) {
  if (const pugi::xml_attribute f = e.attribute("file")) {
    const std::string path = dir_ + "/" + f.value();
    std::vector<std::string> entries;
    if (const Status s = ReadDomesticFile(path, entries); !s) {
      Report(e, s.code == ErrCode::kBadInput
                    ? s.message
                    : std::string("list file ") + f.value() + " is missing beside the rules file");
    } else if (entries.empty()) {
      Report(e, std::string("list file ") + f.value() + " holds no entries");
    } else {
      facts.domesticEntries = true;
    }
  }
  for (pugi::xml_node c : e.children()) {
    if (c.type() != pugi::node_element) continue;
    const std::string name = UpperCase(c.name());
    if (name != "ITEM" && name != "ITEMS") {
      Report(c, "unknown element <" + std::string(c.name()) + "> in <domestic> (ITEM, ITEMS)");
    } else if (!rules_loader::ElementText(c).empty()) {
      facts.domesticEntries = true;
    }
  }
}

void Checker::CheckElement(const pugi::xml_node& e, ContestFacts& facts, int depth,
                           bool& alwaysPays, int& alwaysPaysLine) {
  const std::string keyword = LowerCase(e.name());
  const std::string value = LowerCase(rules_loader::ElementText(e));
  if (keyword == "country" || keyword == "continent" || keyword == "hiscountry" ||
      keyword == "hiscontinent") {
    CheckSelector(e, keyword);
    if (depth >= 32) {
      Report(e, "selectors nested too deep");
      return;
    }
    CheckList(e, facts, depth + 1);
  } else if (keyword == "member" || keyword == "ermak") {
  } else if (keyword == "domestic") {
    CheckDomestic(e, facts);
  } else if (keyword == "procedure") {
    if (!value.empty() && value != "champ-r0l")
      Report(e, "unknown procedure \"" + value + "\" (champ-r0l, or empty for a caption)");
  } else if (keyword == "countries") {
    if (value != "dxcc" && value != "world")
      Report(e, "<countries> is dxcc or world, not \"" + value + "\"");
  } else if (keyword == "rxcorrect") {
    if (!value.starts_with(':') || !IsNumber(value.substr(1), 1, 40))
      Report(e, "<rxcorrect> is \":N\", N the length of the last field");
  } else if (ScoreRule::IsScoreKeyword(keyword)) {
    CheckScore(e, keyword, value, facts, alwaysPays, alwaysPaysLine);
  } else if (keyword == "multi" || keyword == "bonus") {
    CheckMulti(e, keyword, value, facts);
  } else if (keyword == "txnr") {
    if (!OneOf(kTxItems, value)) Report(e, "unknown exchange item <txnr>" + value + "</txnr>");
  } else if (keyword == "band") {
    facts.bands = true;
    for (std::string_view w : Words(value, " ,/\t")) {
      if (!OneOf(kBandWords, w)) {
        Report(e, "unknown band \"" + std::string(w) + "\" (160 80 40 20 15 10 6 144 430 1300)");
      } else {
        facts.bandSet.insert(static_cast<std::uint8_t>(
            std::find(kBandWords.begin(), kBandWords.end(), w) - kBandWords.begin() + 1));
      }
    }
  } else if (keyword == "mode") {
    facts.modes = true;
    for (std::string_view w : Words(value, " ,/\t")) {
      if (!OneOf(kModeWords, w)) Report(e, "unknown mode \"" + std::string(w) + "\" (cw ph fm ry)");
      else facts.modeSet.insert(std::string(w));
    }
  } else if (keyword == "timepr") {
    const auto dash = value.find('-');
    if (dash == std::string::npos || !rules_loader::ReadTimeOfDay(value.substr(0, dash)) ||
        !rules_loader::ReadTimeOfDay(value.substr(dash + 1))) {
      Report(e, "time period \"" + value + "\" is not hh:mm-hh:mm");
    }
  } else if (keyword == "repqso") {
    facts.repeat = true;
    const bool every = value.starts_with("everytime") || value.starts_with("everyqso");
    if (every) {
      const auto colon = value.find(':');
      if (colon != std::string::npos && !IsNumber(value.substr(colon + 1), 1, 255))
        Report(e, "repeat \"" + value + "\": the number after ':' must be 1..255");
    } else if (!OneOf(kRepeats, value)) {
      Report(e, "unknown repeat rule \"" + value +
                    "\" (band, bandmode, bandtime, bandmodetime, once, "
                    "everytime:N, everyqso:N): dupes would go unseen");
    }
  } else if (keyword == "scoretotal") {
    if (!OneOf(kTotals, value)) Report(e, "unknown total formula \"" + value + "\"");
  } else if (keyword == "cabrilioname") {
    if (value.empty() || value.size() > 40) Report(e, "<cabrilioname> must be 1..40 characters");
  } else if (keyword == "timezone") {
    if (!IsNumber(value, -24, 24)) Report(e, "time zone \"" + value + "\" is not a whole number of hours");
  } else if (keyword == "rxmask") {
    if (value.size() > 40) Report(e, "<rxmask> is longer than 40 characters");
  } else if (keyword == "rxupdate") {
    if (!IsNumber(value, 0, 1)) Report(e, "<rxupdate> is 0 or 1");
  } else if (keyword == "exchange") {
    std::string error;
    ExchangeSpec layout;
    if (!ParseExchangeSpec(value, layout, error)) Report(e, "<exchange>: " + error);
    if (const pugi::xml_attribute a = e.first_attribute();
        a && LowerCase(a.value()) != "all") {
      Report(e, "<exchange> " + std::string(a.name()) + "=\"" + a.value() +
                    "\": the only value is \"all\" (every field before the QSO is logged)");
    }
    for (const auto& f : layout.fields) facts.fields.push_back(f.name);
  } else {
    Report(e, "unknown element <" + std::string(e.name()) + ">");
  }
}

void Checker::CheckList(const pugi::xml_node& parent, ContestFacts& facts, int depth) {
  bool alwaysPays = false;
  int alwaysPaysLine = 0;
  for (pugi::xml_node e : parent.children()) {
    if (e.type() != pugi::node_element) continue;
    CheckElement(e, facts, depth, alwaysPays, alwaysPaysLine);
  }
}

void Checker::CheckContest(const pugi::xml_node& c) {
  if (FirstAttribute(c).empty()) {
    Report(c, "contest element <" + std::string(c.name()) + "> has no name (first attribute)");
    return;
  }
  if (SecondAttribute(c).empty()) {
    Report(c, "contest " + std::string(FirstAttribute(c)) + " has no display name (second attribute)");
  }
  ContestFacts facts;
  CheckList(c, facts, 0);
  const std::string name(FirstAttribute(c));
  if (!facts.bands) Report(c, "contest " + name + " has no <band>: no band is allowed");
  if (!facts.modes) Report(c, "contest " + name + " has no <mode>: no mode is allowed");
  if (!facts.repeat) Report(c, "contest " + name + " has no <repqso>: dupes would go unseen");
  for (const auto& [line, band] : facts.bandConditions) {
    if (facts.bands && band != 0 && !facts.bandSet.contains(band)) {
      problems_.push_back({file_, line, "never takes effect: the contest has no such band"});
    }
  }
  for (const auto& [line, mode] : facts.modeConditions) {
    if (facts.modes && !facts.modeSet.contains(mode)) {
      problems_.push_back({file_, line, "never takes effect: the contest has no mode " + mode});
    }
  }
  if (!facts.domesticEntries) {
    for (const auto& [line, what] : facts.domesticUsers) {
      problems_.push_back({file_, line, "domestic <" + what + "> without a <domestic> list: it never counts"});
    }
  }
  for (const auto& [line, field] : facts.fieldUsers) {
    if (std::find(facts.fields.begin(), facts.fields.end(), field) == facts.fields.end()) {
      problems_.push_back({file_, line, "exchange field \"" + field + "\" is not declared by <exchange>"});
    }
  }
}

std::vector<RulesProblem> Checker::Run(const std::string* only) {
  pugi::xml_document doc;
  const pugi::xml_parse_result r =
      doc.load_buffer(text_.data(), text_.size(), pugi::parse_default, pugi::encoding_utf8);
  if (!r) {
    const auto off = std::clamp<std::ptrdiff_t>(r.offset, 0, std::ssize(text_));
    const int line = 1 + static_cast<int>(std::count(text_.begin(), text_.begin() + off, '\n'));
    problems_.push_back({file_, line, std::string("not well-formed XML: ") + r.description()});
    return problems_;
  }
  const pugi::xml_node root = doc.document_element();
  if (std::string_view(root.name()) != "contest_rules") {
    Report(root, "the root element must be <contest_rules>, not <" + std::string(root.name()) + ">");
    return problems_;
  }
  bool any = false;
  for (pugi::xml_node c : root.children()) {
    if (c.type() != pugi::node_element) continue;
    if (only != nullptr && FirstAttribute(c) != *only) continue;
    any = true;
    CheckContest(c);
  }
  if (!any && only == nullptr) Report(root, "the file holds no contest");
  std::stable_sort(problems_.begin(), problems_.end(),
                   [](const RulesProblem& a, const RulesProblem& b) { return a.line < b.line; });
  return problems_;
}

std::vector<RulesProblem> Check(const std::string& path, const std::string* only,
                                const CountryLists* countries) {
  std::string text;
  if (const Status s = ReadFileBounded(path, kMaxRulesFileBytes, text); !s) {
    return {{path, 0, s.code == ErrCode::kBadInput ? s.message : "cannot read the file"}};
  }
  return Checker(path, std::move(text), countries).Run(only);
}

}  // namespace

std::string FormatProblem(const RulesProblem& p) {
  return p.file + ":" + (p.line > 0 ? IntToStr(p.line) + ":" : std::string()) + " " + p.message;
}

std::vector<RulesProblem> CheckRulesFile(const std::string& path, const CountryLists* countries) {
  return Check(path, nullptr, countries);
}

std::vector<RulesProblem> CheckContestRules(const std::string& path, std::string_view contest,
                                            const CountryLists* countries) {
  const std::string name(contest);
  return Check(path, &name, countries);
}

}  // namespace vk
