#include "aids/scp_database.h"

#include <algorithm>

#include "aids/line_reader.h"

namespace vk {

namespace {

constexpr std::size_t kMaxLine = 64;  // longer lines hold no call
constexpr int kPairs = kCallAlphabet * kCallAlphabet;

int PairCode(char a, char b) {
  const int x = CallCharCode(a), y = CallCharCode(b);
  return x < 0 || y < 0 ? -1 : x * kCallAlphabet + y;
}

// One line of the file: a call, a comment or blank (nothing), or malformed.
bool TakeLine(std::string_view line, std::vector<std::string>& calls, ScpLoadStats& stats) {
  std::string call = CleanCall(line);
  if (call.empty() || call[0] == '#') return true;
  if (!IsPlainCall(call)) {
    ++stats.malformed;
    return true;
  }
  if (calls.size() >= kMaxScpCalls) {
    stats.truncated = true;
    return false;
  }
  calls.push_back(std::move(call));
  return true;
}

}  // namespace

int CallCharCode(char c) {
  if (c >= 'A' && c <= 'Z') return c - 'A';
  if (c >= '0' && c <= '9') return 26 + (c - '0');
  return c == '/' ? 36 : -1;
}

char CallCharOfCode(int code) {
  if (code < 26) return static_cast<char>('A' + code);
  if (code < 36) return static_cast<char>('0' + code - 26);
  return '/';
}

Status ScpDatabase::Load(const std::string& path) {
  std::vector<std::string> calls;
  stats_ = {};
  LineCounts counts;
  const Status s = ForEachFileLine(
      path, kMaxLine, [&](std::string_view l) { return TakeLine(l, calls, stats_); }, counts);
  stats_.malformed += counts.overlong;
  Build(calls);
  return s;
}

void ScpDatabase::LoadText(std::string_view text) {
  std::vector<std::string> calls;
  stats_ = {};
  const LineCounts counts =
      ForEachLine(text, kMaxLine, [&](std::string_view l) { return TakeLine(l, calls, stats_); });
  stats_.malformed += counts.overlong;
  Build(calls);
}

void ScpDatabase::Build(std::vector<std::string>& calls) {
  std::sort(calls.begin(), calls.end());
  calls.erase(std::unique(calls.begin(), calls.end()), calls.end());
  text_.clear();
  starts_.clear();
  std::size_t bytes = 0;
  for (const auto& c : calls) bytes += c.size() + 1;
  text_.reserve(bytes);
  starts_.reserve(calls.size());
  for (const auto& c : calls) {
    starts_.push_back(static_cast<std::uint32_t>(text_.size()));
    text_ += c;
    text_ += '\n';
  }
  stats_.calls = starts_.size();
  BuildPairIndex();
}

// Two passes: count the calls per pair, then fill.  A call holding a pair twice is listed once.
void ScpDatabase::BuildPairIndex() {
  pairStart_.assign(kPairs + 1, 0);
  std::vector<std::uint32_t> last(kPairs, UINT32_MAX);
  auto forEachPair = [&](auto&& fn) {
    std::fill(last.begin(), last.end(), UINT32_MAX);
    for (std::uint32_t i = 0; i < starts_.size(); ++i) {
      const std::string_view c = CallAt(i);
      for (std::size_t k = 0; k + 1 < c.size(); ++k) {
        const int p = PairCode(c[k], c[k + 1]);
        if (last[p] == i) continue;
        last[p] = i;
        fn(p, i);
      }
    }
  };
  forEachPair([&](int p, std::uint32_t) { ++pairStart_[p + 1]; });
  for (int p = 0; p < kPairs; ++p) pairStart_[p + 1] += pairStart_[p];
  pairCalls_.assign(pairStart_[kPairs], 0);
  std::vector<std::uint32_t> fill(pairStart_.begin(), pairStart_.end() - 1);
  forEachPair([&](int p, std::uint32_t i) { pairCalls_[fill[p]++] = i; });
}

std::string_view ScpDatabase::CallAt(std::size_t i) const {
  const std::size_t b = starts_[i];
  const std::size_t e = i + 1 < starts_.size() ? starts_[i + 1] - 1 : text_.size() - 1;
  return std::string_view(text_).substr(b, e - b);
}

bool ScpDatabase::Contains(std::string_view call) const {
  std::size_t lo = 0, hi = starts_.size();
  while (lo < hi) {
    const std::size_t mid = (lo + hi) / 2;
    if (CallAt(mid) < call) {
      lo = mid + 1;
    } else {
      hi = mid;
    }
  }
  return lo < starts_.size() && CallAt(lo) == call;
}

std::size_t ScpDatabase::Partial(std::string_view fragment, std::size_t limit,
                                 std::vector<std::string_view>& out) const {
  if (fragment.size() < 2 || starts_.empty()) return 0;
  int best = -1;
  for (std::size_t k = 0; k + 1 < fragment.size(); ++k) {
    const int p = PairCode(fragment[k], fragment[k + 1]);
    if (p < 0) return 0;
    if (best < 0 || PairCount(p) < PairCount(best)) best = p;
  }
  const bool pairIsAll = fragment.size() == 2;
  std::size_t total = 0;
  for (std::uint32_t j = pairStart_[best]; j < pairStart_[best + 1]; ++j) {
    const std::string_view c = CallAt(pairCalls_[j]);
    if (!pairIsAll && c.find(fragment) == std::string_view::npos) continue;
    if (total++ < limit) out.push_back(c);
  }
  return total;
}

void ScpDatabase::NearMisses(std::string_view call, std::size_t limit,
                             std::vector<std::string_view>& out) const {
  if (call.empty() || starts_.empty()) return;
  std::vector<std::string_view> found;
  std::string probe;
  auto tryProbe = [&] {
    if (probe == call) return;
    std::size_t lo = 0, hi = starts_.size();
    while (lo < hi) {
      const std::size_t mid = (lo + hi) / 2;
      if (CallAt(mid) < probe) {
        lo = mid + 1;
      } else {
        hi = mid;
      }
    }
    if (lo < starts_.size() && CallAt(lo) == probe) found.push_back(CallAt(lo));
  };
  for (std::size_t k = 0; k < call.size(); ++k) {  // one dropped
    probe.assign(call).erase(k, 1);
    tryProbe();
  }
  for (std::size_t k = 0; k <= call.size(); ++k) {  // one added, one changed
    for (int code = 0; code < kCallAlphabet; ++code) {
      const char ch = CallCharOfCode(code);
      probe.assign(call).insert(k, 1, ch);
      tryProbe();
      if (k < call.size() && call[k] != ch) {
        probe.assign(call);
        probe[k] = ch;
        tryProbe();
      }
    }
  }
  std::sort(found.begin(), found.end());
  found.erase(std::unique(found.begin(), found.end()), found.end());
  if (found.size() > limit) found.resize(limit);
  out.insert(out.end(), found.begin(), found.end());
}

bool OneEditApart(std::string_view a, std::string_view b) {
  if (a.size() > b.size()) std::swap(a, b);
  if (b.size() - a.size() > 1) return false;
  std::size_t i = 0;
  while (i < a.size() && a[i] == b[i]) ++i;
  if (a.size() == b.size()) {
    return i < a.size() && a.substr(i + 1) == b.substr(i + 1);
  }
  return a.substr(i) == b.substr(i + 1);
}

}  // namespace vk
