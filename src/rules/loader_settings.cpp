// Contest-wide settings and side lists of the rules loader.
#include <array>
#include <fstream>

#include "log/journal.h"
#include "rules/loader_parts.h"
#include "rules/xml_file.h"
#include "util/bounded_file.h"
#include "score/score_rule.h"
#include "util/strings.h"

namespace vk::rules_loader {

namespace {

std::string_view TrimBlank(std::string_view s) {
  auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

std::string Cut(std::string_view s, std::size_t width) {
  return std::string(s.substr(0, width));
}

// A period that holds no time of day: where a time of the file cannot be read.
constexpr double kNoStart = 2.0;
constexpr double kNoEnd = -1.0;

void ApplyBands(ContestSettings& s, std::string_view value) {
  static constexpr std::array<std::string_view, 9> kTokens{"160", "80",  "40",  "20",  "15",
                                                          "10",  "144", "430", "1300"};
  for (std::size_t i = 0; i < kTokens.size(); ++i) {
    if (value.find(kTokens[i]) != std::string_view::npos) s.bands[i + 1] = true;
  }
}

void ApplyModes(ContestSettings& s, std::string_view value) {
  static constexpr std::array<std::string_view, 3> kTokens{"cw", "ph", "fm"};
  for (std::size_t i = 0; i < kTokens.size(); ++i) {
    if (value.find(kTokens[i]) != std::string_view::npos) s.modes[i + 1] = true;
  }
  if (HasWord(value, "ry")) s.modes[ModeNumber(Mode::kRtty)] = true;
  if (value.find('/') != std::string_view::npos) s.modeChoice = true;
}

void ApplyPeriod(ContestSettings& s, std::string_view value) {
  auto dash = value.find('-');
  std::string_view first = dash == std::string_view::npos ? std::string_view{} : value.substr(0, dash);
  std::string_view second = dash == std::string_view::npos ? value : value.substr(dash + 1);
  auto start = ReadTimeOfDay(first);
  auto end = ReadTimeOfDay(second);
  if (start && end) {
    s.repeat.AddPeriod(*start, *end);
  } else {
    s.repeat.AddPeriod(kNoStart, kNoEnd);
  }
}

bool ApplyScoreTotal(ContestSettings& s, std::string_view value) {
  static constexpr std::array<std::string_view, 4> kNames{
      "scoreaddbonus", "scoreaddmultiaddbonus", "scoremulmulti", "scrmulmltaddbns"};
  for (std::size_t i = 0; i < kNames.size(); ++i) {
    if (value == kNames[i]) s.scoreTotal = static_cast<std::uint8_t>(i + 1);
  }
  return true;
}

// Hours to add to the computer's clock.  Real zones lie within a day; anything beyond is as
// unreadable as text and would only push the log clock off the calendar.
std::int32_t TimeZoneOf(std::string_view value) {
  long long hours = 0;
  if (!TryStrToInt(value, hours) || hours < -24 || hours > 24) return 0;
  return static_cast<std::int32_t>(-hours);
}

bool ReadTimePart(std::string_view s, int limit, int& out) {
  if (s.empty() || s.size() > 2) return false;
  out = 0;
  for (char c : s) {
    if (c < '0' || c > '9') return false;
    out = out * 10 + (c - '0');
  }
  return out < limit;
}

}  // namespace

std::string_view TrimLine(std::string_view s) {
  return TrimBlank(s);
}

std::string ElementText(const pugi::xml_node& e) {
  return std::string(TrimBlank(e.first_child().value()));
}

std::optional<double> ReadTimeOfDay(std::string_view text) {
  text = TrimBlank(text);
  std::array<int, 3> parts{0, 0, 0};
  static constexpr std::array<int, 3> kLimits{24, 60, 60};
  std::size_t i = 0;
  for (;; ++i) {
    if (i >= parts.size()) return std::nullopt;
    auto colon = text.find(':');
    if (!ReadTimePart(text.substr(0, colon), kLimits[i], parts[i])) return std::nullopt;
    if (colon == std::string_view::npos) break;
    text.remove_prefix(colon + 1);
  }
  return (parts[0] * 3600.0 + parts[1] * 60.0 + parts[2]) / 86400.0;
}

bool ApplySetting(ContestSettings& s, std::string_view keyword, std::string_view value) {
  if (keyword == "band") {
    ApplyBands(s, value);
  } else if (keyword == "mode") {
    ApplyModes(s, value);
  } else if (keyword == "timepr") {
    ApplyPeriod(s, value);
  } else if (keyword == "repqso") {
    ApplyRepeatValue(s.repeat, value);
  } else if (keyword == "scoretotal") {
    ApplyScoreTotal(s, value);
  } else if (keyword == "cabrilioname") {
    s.cabrilloName = Cut(UpperCase(value), kCabrilloNameWidth);
  } else if (keyword == "timezone") {
    s.timeZone = TimeZoneOf(value);
  } else if (keyword == "rxmask") {
    s.rxMask = Cut(value, kRxMaskWidth);
  } else if (keyword == "rxupdate") {
    // A byte in the settings: -1 for text that is not a number reads as 255.
    s.rxUpdate = static_cast<std::uint8_t>(StrToIntDefM1(value) & 0xFF);
  } else {
    return false;
  }
  return true;
}

void ReadDomestic(const pugi::xml_node& e, ScoreContext& ctx, const std::string& dataDir) {
  if (const pugi::xml_attribute file = e.attribute("file"); file && !dataDir.empty()) {
    std::vector<std::string> entries;
    ReadDomesticFile(dataDir + "/" + file.value(), entries);
    for (const auto& entry : entries) ctx.AddDomestic(entry);
  }
  for (pugi::xml_node c : e.children()) {
    if (c.type() != pugi::node_element) continue;
    std::string name = UpperCase(c.name());
    std::string text = UpperCase(ElementText(c));
    if (name == "ITEM") {
      if (!text.empty()) ctx.AddDomestic(text);
    } else if (name == "ITEMS") {
      // Empty pieces ("MA,,MO", a trailing comma) are skipped: the domestic test looks for
      // entries inside the exchange, and an empty entry is inside every exchange.
      std::string_view rest = text;
      for (;;) {
        auto comma = rest.find(',');
        auto piece = TrimBlank(rest.substr(0, comma));
        if (!piece.empty()) ctx.AddDomestic(piece);
        if (comma == std::string_view::npos) break;
        rest.remove_prefix(comma + 1);
      }
    }
  }
}

namespace {

bool IsErmakCondition(std::string_view name) {
  static constexpr std::array<std::string_view, 6> kNames{"OPERATOR", "BAND",    "MODE",
                                                         "POWER",    "OVERLAY", "STATION"};
  for (auto n : kNames) {
    if (n == name) return true;
  }
  return false;
}

// `current` is the index of the group conditions go to; none until this element starts one,
// so a stray condition never lands in a group of an earlier load.
void ReadErmakChildren(const pugi::xml_node& e, std::vector<ErmakGroup>& groups,
                       std::ptrdiff_t& current, int depth, Journal* journal) {
  for (pugi::xml_node c : e.children()) {
    if (c.type() != pugi::node_element) continue;
    std::string name = UpperCase(c.name());
    if (name == "ERMAKGROUP") {
      groups.push_back({Win1251ToCp866(c.first_attribute().value()), {}});
      current = static_cast<std::ptrdiff_t>(groups.size()) - 1;
      if (depth < 32) {
        ReadErmakChildren(c, groups, current, depth + 1, journal);
      } else {
        JournalAppend(journal, "Rules: ermak groups nested too deep, inner groups skipped");
      }
    } else if (IsErmakCondition(name) && current >= 0) {
      groups[static_cast<std::size_t>(current)].conditions.push_back(
          {name, UpperCase(ElementText(c))});
    }
  }
}

}  // namespace

void ReadErmak(const pugi::xml_node& e, std::vector<ErmakGroup>& groups, Journal* journal) {
  std::ptrdiff_t current = -1;
  ReadErmakChildren(e, groups, current, 0, journal);
}

}  // namespace vk::rules_loader

namespace vk {

Status ReadDomesticFile(const std::string& path, std::vector<std::string>& entries) {
  std::string text;
  if (Status s = ReadFileBounded(path, kMaxRulesFileBytes, text); !s) {
    if (s.code != ErrCode::kBadInput) s.code = ErrCode::kNotFound;
    return s;
  }
  std::string_view remaining = text;
  while (!remaining.empty()) {
    const auto eol = remaining.find('\n');
    const std::string_view line = remaining.substr(0, eol);
    remaining = eol == std::string_view::npos ? std::string_view{} : remaining.substr(eol + 1);
    std::string_view rest = rules_loader::TrimLine(line);
    if (rest.empty() || rest.front() == '#') continue;
    const auto end = rest.find_first_of(" \t");
    entries.push_back(UpperCase(rest.substr(0, end)));
  }
  return Status::Ok();
}

}  // namespace vk
