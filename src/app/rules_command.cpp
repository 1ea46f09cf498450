#include "app/rules_command.h"

#include <filesystem>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "country/country.h"
#include "rules/contest_list.h"
#include "rules/rules_check.h"
#include "util/strings.h"

namespace vk {

namespace {

constexpr std::string_view kUsage =
    "usage: vorkan rules check [--data DIR] [--cty FILE] [FILE|CONTEST...]";

int Fail(std::ostream& err, std::string_view why) {
  err << "vorkan rules: " << why << '\n';
  return kRulesCheckFailed;
}

}  // namespace

int RunRulesCommand(std::span<const char* const> args, std::ostream& out, std::ostream& err) {
  if (args.empty() || std::string_view(args[0]) != "check") return Fail(err, kUsage);
  std::string dataDir = "data";
  std::string cty;
  std::vector<std::string> names;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string_view a = args[i];
    if (a == "--data" || a == "--cty") {
      if (i + 1 >= args.size()) return Fail(err, kUsage);
      (a == "--data" ? dataDir : cty) = args[++i];
    } else if (a.starts_with("--")) {
      return Fail(err, "unknown option " + std::string(a) + "; " + std::string(kUsage));
    } else {
      names.emplace_back(a);
    }
  }
  if (cty.empty()) cty = dataDir + "/" + kWorldCountryFile;
  CountryLists lists;
  lists.world = CountryList::FromFile(cty);
  lists.russian = CountryList::FromFile(dataDir + "/" + kRussianCountryFile);
  const CountryLists* countries = lists.world.Empty() ? nullptr : &lists;

  const ContestList contests = ContestList::Build(dataDir);
  std::vector<RulesProblem> problems;
  std::size_t checked = 0;
  auto add = [&problems](std::vector<RulesProblem> more) {
    problems.insert(problems.end(), std::make_move_iterator(more.begin()),
                    std::make_move_iterator(more.end()));
  };
  if (names.empty()) {
    for (const ContestListEntry& e : contests.Entries()) {
      const std::string path = contests.PathOf(e.fileName);
      if (!std::filesystem::is_regular_file(path)) continue;
      add(CheckRulesFile(path, countries));
      ++checked;
    }
    if (checked == 0) return Fail(err, "no rules files in " + dataDir);
  }
  for (const std::string& name : names) {
    ++checked;
    if (std::filesystem::is_regular_file(name)) {
      add(CheckRulesFile(name, countries));
      continue;
    }
    const std::string file = contests.FindContestFile(name);
    if (file.empty()) {
      problems.push_back({name, 0, "neither a file nor a contest of " + dataDir});
      continue;
    }
    add(CheckContestRules(contests.PathOf(file), name, countries));
  }
  for (const RulesProblem& p : problems) out << FormatProblem(p) << '\n';
  out << checked << (checked == 1 ? " checked, " : " checked, ") << problems.size()
      << (problems.size() == 1 ? " problem" : " problems") << '\n';
  return problems.empty() ? 0 : kRulesCheckFailed;
}

}  // namespace vk
