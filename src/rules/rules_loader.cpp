#include "rules/rules_loader.h"

#include <memory>
#include <string>

#include "log/journal.h"
#include "rules/loader_parts.h"
#include "rules/rules_check.h"
#include "rules/xml_file.h"
#include "score/multi_rule.h"
#include "score/score_rule.h"
#include "util/strings.h"

namespace vk {

using rules_loader::ElementText;

namespace {

std::string CaptionOf(std::string_view argument) {
  std::string s = Win1251ToCp866(argument);
  if (s.size() > kContestCaptionWidth) s.resize(kContestCaptionWidth);
  return s;
}

// Whether a selector list names a prefix: the same exact comparison the selectors make.
bool ListNames(std::string_view list, std::string_view prefix) {
  if (prefix.empty()) return false;
  for (;;) {
    auto comma = list.find(',');
    if (list.substr(0, comma) == prefix) return true;
    if (comma == std::string_view::npos) return false;
    list.remove_prefix(comma + 1);
  }
}

class RuleParser {
 public:
  RuleParser(TTreeRules& tree, std::string dataDir)
      : tree_(tree), s_(tree.Settings()), dataDir_(std::move(dataDir)) {}

  void ParseChildren(const pugi::xml_node& parent, RuleList& target, int depth) {
    for (pugi::xml_node e : parent.children()) {
      if (e.type() == pugi::node_element) ParseElement(e, target, depth);
    }
  }

 private:
  void ParseElement(const pugi::xml_node& e, RuleList& target, int depth);
  void AddSelector(SelectorKind kind, const pugi::xml_node& e, std::string_view argument,
                   RuleList& target, int depth);
  void AddTxItem(std::string_view value, std::string_view argument, RuleList& target);

  TTreeRules& tree_;
  ContestSettings& s_;
  std::string dataDir_;  // where list files named by the rules are
};

void RuleParser::ParseElement(const pugi::xml_node& e, RuleList& target, int depth) {
  const std::string keyword = LowerCase(e.name());
  const std::string value = LowerCase(ElementText(e));
  const std::string_view argument = e.first_attribute().value();

  if (keyword == "domestic") {
    rules_loader::ReadDomestic(e, tree_.Context(), dataDir_);
  } else if (keyword == "ermak") {
    rules_loader::ReadErmak(e, tree_.ErmakGroups(), tree_.journal());
  } else if (keyword == "country") {
    AddSelector(SelectorKind::kCountry, e, argument, target, depth);
  } else if (keyword == "continent") {
    AddSelector(SelectorKind::kContinent, e, argument, target, depth);
  } else if (keyword == "hiscountry") {
    AddSelector(SelectorKind::kHisCountry, e, argument, target, depth);
  } else if (keyword == "hiscontinent") {
    AddSelector(SelectorKind::kHisContinent, e, argument, target, depth);
  } else if (keyword == "exchange") {
    ExchangeSpec layout;
    std::string error;
    if (ParseExchangeSpec(value, layout, error)) {
      layout.required = LowerCase(argument) == "all";
      tree_.Context().SetExchange(std::move(layout));
    } else {
      JournalAppend(tree_.journal(), "Rules: <exchange> " + error);
    }
  } else if (keyword == "member") {
    target.push_back(std::make_unique<SelectorRule>(SelectorKind::kMember, argument));
  } else if (keyword == "procedure") {
    if (!argument.empty()) s_.caption = CaptionOf(argument);
    if (value == "champ-r0l") {
      tree_.SetTxProcedure(TxProcedure::kChampionship);
      tree_.SetRxCorrection(RxCorrection::kChampionship);
    }
  } else if (keyword == "countries") {
    // "dxcc": countries are DXCC entities, for points and multipliers alike.
    tree_.Context().SetDxccCountries(value == "dxcc");
  } else if (keyword == "rxcorrect") {
    tree_.SetRxCorrection(RxCorrection::kSplit, value);
  } else if (ScoreRule::IsScoreKeyword(keyword)) {
    if (auto rule = ScoreRule::Make(keyword, value)) target.push_back(std::move(rule));
  } else if (keyword == "multi" || keyword == "bonus") {
    int kind = keyword == "multi" ? 5 : 6;
    if (auto rule = MultiRule::Make(kind, value, argument, tree_.journal()))
      target.push_back(std::move(rule));
  } else if (keyword == "txnr") {
    AddTxItem(value, argument, target);
  } else {
    rules_loader::ApplySetting(s_, keyword, value);
  }
}

void RuleParser::AddSelector(SelectorKind kind, const pugi::xml_node& e,
                             std::string_view argument, RuleList& target, int depth) {
  auto selector = std::make_unique<SelectorRule>(kind, argument);
  SelectorRule* sel = selector.get();
  target.push_back(std::move(selector));
  if (!sel->OnWorked()) s_.lastSelectorList = argument;
  if (depth >= kMaxSelectorDepth) {
    JournalAppend(tree_.journal(), "Rules: selectors nested deeper than " +
                                       IntToStr(kMaxSelectorDepth) + ", inner rules skipped");
    return;
  }
  sel->Children().reserve(5);
  ParseChildren(e, sel->Children(), depth + 1);
}

void RuleParser::AddTxItem(std::string_view value, std::string_view argument,
                           RuleList& target) {
  if (s_.txItemCount < 255) ++s_.txItemCount;
  if (s_.caption.empty() &&
      (s_.lastSelectorList == "*" ||
       ListNames(s_.lastSelectorList, tree_.OwnStation().primaryPrefix))) {
    s_.caption = CaptionOf(argument);
  }
  TxItemKind kind;
  if (!TxItemRule::KindOfValue(value, kind)) return;
  switch (kind) {
    case TxItemKind::kConstNr:
    case TxItemKind::kZoneCq:
    case TxItemKind::kZoneItu:
    case TxItemKind::kZoneRf:
    case TxItemKind::kRfObl:
      s_.caption = CaptionOf(argument);
      break;
    case TxItemKind::kChangeNrL:
    case TxItemKind::kChangeNrR:
      tree_.SetRxCorrection(RxCorrection::kInsertSpace);
      break;
    default:
      break;
  }
  target.push_back(std::make_unique<TxItemRule>(kind, s_.txItemCount));
}

void ResetForLoad(ContestSettings& s) {
  s.repeat.ResetPeriods();
  s.caption.clear();
  s.txItemCount = 0;
  s.lastSelectorList.clear();
}

}  // namespace

void ParseRuleElements(TTreeRules& tree, const pugi::xml_node& parent,
                       const std::string& dataDir) {
  RuleParser(tree, dataDir).ParseChildren(parent, tree.Nodes(), 0);
}

Status LoadContest(TTreeRules& tree, const ContestList& list, std::string_view contestName,
                   RulesCheck check) {
  ContestSettings& s = tree.Settings();
  ResetForLoad(s);
  // Each contest says for itself which country list it counts; the world file's is the default.
  tree.Context().SetDxccCountries(false);
  tree.Context().SetExchange({});
  if (!tree.OwnCall().empty()) {
    std::string own = tree.OwnCall();
    if (!tree.SetOwnCall(own)) {
      return Status::Error(ErrCode::kNotFound, "own call " + own + " is not in the country list");
    }
  }
  s.modeChoice = false;
  if (contestName.empty()) return Status::Error(ErrCode::kNotFound, "no contest name");

  std::string file = list.FindContestFile(contestName);
  if (file.empty()) {
    const std::string oversized = list.OversizedFiles();
    return Status::Error(ErrCode::kNotFound,
                         "no rules file holds contest " + std::string(contestName) +
                             (oversized.empty() ? "" : " (" + oversized + ")"));
  }
  const std::string path = list.PathOf(file);
  if (check == RulesCheck::kRefuse) {
    // A contest whose rules fail the check is not loaded at all: half a contest scores wrong
    // without a word, and the operator is told what and where instead.
    const std::vector<RulesProblem> problems = CheckContestRules(path, contestName);
    if (!problems.empty()) {
      std::string message = FormatProblem(problems.front());
      if (problems.size() > 1) {
        message += " (and " + IntToStr(static_cast<long long>(problems.size() - 1)) +
                   " more: vorkan rules check " + file + ")";
      }
      for (const RulesProblem& p : problems) JournalAppend(tree.journal(), "Rules: " + FormatProblem(p));
      return Status::Error(ErrCode::kBadInput, message, problems.front().file,
                           problems.front().line);
    }
  }
  pugi::xml_document doc;
  Status status = LoadXmlFile(path, doc, tree.journal());
  // A malformed file still gives the part before the fault; that part is loaded.
  for (pugi::xml_node c : RootElements(doc)) {
    if (c.type() != pugi::node_element || !c.first_attribute()) continue;
    if (FirstAttribute(c) == contestName) ParseRuleElements(tree, c, list.DataDir());
  }
  return status;
}

}  // namespace vk
