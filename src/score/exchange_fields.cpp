#include "score/exchange_fields.h"

#include <algorithm>
#include <array>
#include <utility>

#include "score/score_context.h"
#include "util/strings.h"

namespace vk {

namespace {

constexpr std::size_t kMaxFields = 8;
constexpr std::size_t kMaxWords = 10;

struct KindName {
  std::string_view name;
  FieldKind kind;
};
constexpr std::array<KindName, 12> kKinds{{
    {"rst", FieldKind::kRst},     {"nr", FieldKind::kNr},       {"ck", FieldKind::kCk},
    {"zone", FieldKind::kZone},   {"age", FieldKind::kAge},     {"power", FieldKind::kPower},
    {"prec", FieldKind::kPrec},   {"class", FieldKind::kClass}, {"grid", FieldKind::kGrid},
    {"sect", FieldKind::kSect},   {"name", FieldKind::kName},   {"qth", FieldKind::kQth},
}};

bool Digit(char c) { return c >= '0' && c <= '9'; }
bool Letter(char c) { return c >= 'A' && c <= 'Z'; }
bool AllDigits(std::string_view s) {
  if (s.empty()) return false;
  for (char c : s) {
    if (!Digit(c)) return false;
  }
  return true;
}
bool AllLetters(std::string_view s) {
  if (s.empty()) return false;
  for (char c : s) {
    if (!Letter(c)) return false;
  }
  return true;
}
bool IsPrec(std::string_view w) {
  return w.size() == 1 && std::string_view("QABUMS").find(w[0]) != std::string_view::npos;
}

bool IsGrid(std::string_view w) {
  if (w.size() != 4 && w.size() != 6) return false;
  if (w[0] < 'A' || w[0] > 'R' || w[1] < 'A' || w[1] > 'R' || !Digit(w[2]) || !Digit(w[3]))
    return false;
  return w.size() == 4 || (w[4] >= 'A' && w[4] <= 'X' && w[5] >= 'A' && w[5] <= 'X');
}

bool Accepts(FieldKind kind, std::string_view w, const ScoreContext* ctx) {
  switch (kind) {
    case FieldKind::kRst:
      return (w.size() == 2 || w.size() == 3) && AllDigits(w) && w[0] >= '1' && w[0] <= '5';
    case FieldKind::kNr:
      return w.size() <= 5 && AllDigits(w);
    case FieldKind::kCk:
    case FieldKind::kAge:
      return w.size() == 2 && AllDigits(w);
    case FieldKind::kZone:
      return w.size() <= 2 && AllDigits(w) && w != "0" && w != "00";
    case FieldKind::kPower: {
      if (w == "K" || w == "KW") return true;
      std::string_view n = w;
      if (n.ends_with('W')) n.remove_suffix(1);
      return n.size() <= 4 && AllDigits(n);
    }
    case FieldKind::kPrec:
      return IsPrec(w);
    case FieldKind::kClass: {
      std::size_t i = 0;
      while (i < w.size() && Digit(w[i])) ++i;
      return i >= 1 && i <= 2 && i < w.size() && AllLetters(w.substr(i)) && w.size() - i <= 2;
    }
    case FieldKind::kGrid:
      return IsGrid(w);
    case FieldKind::kSect:
      if (ctx != nullptr && !ctx->Domestic().empty()) {
        for (const std::string& e : ctx->Domestic()) {
          if (e == w) return true;
        }
        return false;
      }
      return !AllDigits(w);
    case FieldKind::kName:
      return AllLetters(w);
    case FieldKind::kQth:
      return true;
  }
  return false;
}

std::vector<std::string> SplitWords(const ExchangeSpec& layout, std::string_view typed) {
  bool prec = false, nr = false;
  for (const auto& f : layout.fields) {
    prec = prec || f.kind == FieldKind::kPrec;
    nr = nr || f.kind == FieldKind::kNr;
  }
  std::vector<std::string> words;
  std::string up = UpperCase(typed);
  std::size_t i = 0;
  while (i < up.size()) {
    while (i < up.size() && (up[i] == ' ' || up[i] == '/' || up[i] == ',' || up[i] == '\t')) ++i;
    std::size_t j = i;
    while (j < up.size() && up[j] != ' ' && up[j] != '/' && up[j] != ',' && up[j] != '\t') ++j;
    if (j > i) {
      std::string w = up.substr(i, j - i);
      // "123A": the serial and the precedence typed together.
      if (prec && nr && w.size() >= 2 && IsPrec(w.substr(w.size() - 1)) &&
          AllDigits(std::string_view(w).substr(0, w.size() - 1))) {
        words.push_back(w.substr(0, w.size() - 1));
        words.push_back(w.substr(w.size() - 1));
      } else {
        words.push_back(std::move(w));
      }
    }
    i = j;
  }
  return words;
}

// Best assignment of words to fields: most words placed, then fewest pairs out of the
// declared order.  Exhaustive over at most 10 words and 8 fields; each word has few fields.
struct Search {
  const ExchangeSpec& layout;
  const std::vector<std::string>& words;
  std::vector<std::vector<int>> options;  // per word, the fields that take it
  std::vector<int> current, best;
  int bestPlaced = -1, bestInversions = 0;
  std::uint32_t used = 0;

  void Run(std::size_t w, int placed, int inversions) {
    // At most one word more per remaining word and per free field.
    const int reachable =
        placed + static_cast<int>(std::min(words.size() - w,
                                           layout.fields.size() - static_cast<std::size_t>(placed)));
    if (reachable < bestPlaced || (reachable == bestPlaced && inversions >= bestInversions))
      return;
    if (w == words.size()) {
      if (placed > bestPlaced || (placed == bestPlaced && inversions < bestInversions)) {
        bestPlaced = placed;
        bestInversions = inversions;
        best = current;
      }
      return;
    }
    for (int f : options[w]) {
      if (used & (1u << f)) continue;
      int inv = 0;
      for (std::size_t k = 0; k < w; ++k) {
        if (current[k] > f) ++inv;
      }
      used |= 1u << f;
      current[w] = f;
      Run(w + 1, placed + 1, inversions + inv);
      used &= ~(1u << f);
    }
    current[w] = -1;
    Run(w + 1, placed, inversions);
  }
};

}  // namespace

int ExchangeSpec::IndexOf(std::string_view name) const {
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (fields[i].name == name) return static_cast<int>(i);
  }
  return -1;
}

std::string_view FieldTitle(FieldKind kind) {
  switch (kind) {
    case FieldKind::kRst: return "report";
    case FieldKind::kNr: return "number";
    case FieldKind::kCk: return "check";
    case FieldKind::kZone: return "zone";
    case FieldKind::kAge: return "age";
    case FieldKind::kPower: return "power";
    case FieldKind::kPrec: return "precedence";
    case FieldKind::kClass: return "class";
    case FieldKind::kGrid: return "locator";
    case FieldKind::kSect: return "section";
    case FieldKind::kName: return "name";
    case FieldKind::kQth: return "QTH";
  }
  return "field";
}

bool ParseExchangeSpec(std::string_view text, ExchangeSpec& out, std::string& error) {
  out.fields.clear();
  std::string lower = LowerCase(text);
  std::string_view rest = lower;
  while (!rest.empty()) {
    auto space = rest.find_first_of(" \t\r\n");
    std::string_view word = rest.substr(0, space);
    rest = space == std::string_view::npos ? std::string_view{} : rest.substr(space + 1);
    if (word.empty()) continue;
    const KindName* found = nullptr;
    for (const auto& k : kKinds) {
      if (k.name == word) found = &k;
    }
    if (found == nullptr) {
      error = "unknown field \"" + std::string(word) +
              "\" (rst nr ck zone age power prec class grid sect name qth)";
      return false;
    }
    if (out.IndexOf(word) >= 0) {
      error = "field \"" + std::string(word) + "\" twice";
      return false;
    }
    out.fields.push_back({std::string(word), found->kind});
  }
  if (out.fields.empty()) {
    error = "no fields";
    return false;
  }
  if (out.fields.size() > kMaxFields) {
    error = "more than 8 fields";
    return false;
  }
  return true;
}

ExchangeReading ReadExchange(const ExchangeSpec& layout, std::string_view typed,
                             const ScoreContext* ctx) {
  ExchangeReading r;
  r.values.resize(layout.fields.size());
  std::vector<std::string> words = SplitWords(layout, typed);
  if (words.size() > kMaxWords) {
    r.unread.assign(words.begin() + kMaxWords, words.end());
    words.resize(kMaxWords);
  }
  Search s{layout, words, {}, std::vector<int>(words.size(), -1), {}, -1, 0, 0};
  s.options.resize(words.size());
  for (std::size_t w = 0; w < words.size(); ++w) {
    for (std::size_t f = 0; f < layout.fields.size(); ++f) {
      if (Accepts(layout.fields[f].kind, words[w], ctx)) s.options[w].push_back(static_cast<int>(f));
    }
  }
  s.Run(0, 0, 0);
  std::vector<std::string> unread;
  for (std::size_t w = 0; w < words.size(); ++w) {
    const int f = s.best.empty() ? -1 : s.best[w];
    if (f >= 0) {
      r.values[static_cast<std::size_t>(f)] = words[w];
    } else {
      unread.push_back(words[w]);
    }
  }
  unread.insert(unread.end(), r.unread.begin(), r.unread.end());
  r.unread = std::move(unread);
  return r;
}

std::string NormalisedExchange(const ExchangeSpec& layout, std::string_view typed,
                               const ScoreContext* ctx) {
  const ExchangeReading r = ReadExchange(layout, typed, ctx);
  std::string out;
  auto add = [&out](const std::string& w) {
    if (w.empty()) return;
    if (!out.empty()) out += ' ';
    out += w;
  };
  for (const auto& v : r.values) add(v);
  for (const auto& w : r.unread) add(w);
  return out;
}

std::string ExchangeProblem(const ExchangeSpec& layout, std::string_view typed,
                            const ScoreContext* ctx) {
  const ExchangeReading r = ReadExchange(layout, typed, ctx);
  std::string missing, unread;
  for (std::size_t i = 0; i < layout.fields.size(); ++i) {
    if (r.values[i].empty()) missing += (missing.empty() ? "" : " ") + layout.fields[i].name;
  }
  for (const auto& w : r.unread) unread += (unread.empty() ? "" : " ") + w;
  std::string out;
  if (!missing.empty()) out = "missing: " + missing;
  if (!unread.empty()) out += (out.empty() ? "" : "; ") + std::string("not understood: ") + unread;
  return out;
}

}  // namespace vk
