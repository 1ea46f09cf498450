#include "aids/log_calls.h"

#include <algorithm>

#include "aids/scp_database.h"

namespace vk {

namespace {

constexpr int kPairCount = kCallAlphabet * kCallAlphabet;

// The pair of call characters at i, i + 1; -1 when either is no call character.
int PairAt(std::string_view s, std::size_t i) {
  const int a = CallCharCode(s[i]);
  const int b = CallCharCode(s[i + 1]);
  return a < 0 || b < 0 ? -1 : a * kCallAlphabet + b;
}

}  // namespace

void LogCalls::Clear() {
  calls_.clear();
  inDatabase_.clear();
  ids_.clear();
  pairs_.assign(kPairCount, {});
  repeats_.Clear();
  indexed_ = 0;
}

void LogCalls::Refresh(const TLogCollection& log) {
  if (log_ == &log && revision_ == log.Revision()) return;
  // Appends raise the revision but not the call revision; figures and other fields of a QSO
  // are read from the log when a mark is made, so only moves and new calls rebuild.
  const bool appendsOnly =
      log_ == &log && callRevision_ == log.CallRevision() && indexed_ <= log.Count();
  if (!appendsOnly) {
    Clear();
    // A long log is taken in at once: room made ahead spares the tables their regrowth.
    ids_.reserve(static_cast<std::size_t>(log.Count()));
    repeats_.Reserve(static_cast<std::size_t>(log.Count()));
  }
  log_ = &log;
  revision_ = log.Revision();
  callRevision_ = log.CallRevision();
  for (; indexed_ < log.Count(); ++indexed_) Add(*log.At(indexed_), indexed_);
}

void LogCalls::Add(const QsoRecord& q, int pos) {
  repeats_.Count(q, pos);
  if (q.Call.empty() || Contains(q.Call)) return;
  const auto id = static_cast<std::uint32_t>(calls_.size());
  const std::string& call = calls_.emplace_back(q.Call);
  inDatabase_.push_back(db_.Contains(call));
  ids_.emplace(call, id);
  for (std::size_t i = 0; i + 1 < call.size(); ++i) {
    const int p = PairAt(call, i);
    if (p < 0) continue;
    std::vector<std::uint32_t>& list = pairs_[static_cast<std::size_t>(p)];
    if (list.empty() || list.back() != id) list.push_back(id);  // a pair held twice, once
  }
}

std::size_t LogCalls::Partial(std::string_view fragment, std::size_t limit,
                             std::vector<std::string_view>& out) const {
  if (fragment.size() < 2 || pairs_.empty()) return 0;
  const std::vector<std::uint32_t>* rarest = nullptr;
  for (std::size_t i = 0; i + 1 < fragment.size(); ++i) {
    const int p = PairAt(fragment, i);
    if (p < 0) return 0;  // no call of the log holds it
    const auto& list = pairs_[static_cast<std::size_t>(p)];
    if (rarest == nullptr || list.size() < rarest->size()) rarest = &list;
  }
  std::size_t unknown = 0;
  const std::size_t first = out.size();
  for (std::uint32_t id : *rarest) {
    const std::string& c = calls_[id];
    if (c.find(fragment) == std::string::npos) continue;
    out.push_back(c);
    unknown += inDatabase_[id] ? 0 : 1;
  }
  // A short fragment matches much of a long log; only the first in order can be listed.
  if (out.size() - first > limit) {
    const auto begin = out.begin() + static_cast<std::ptrdiff_t>(first);
    std::nth_element(begin, begin + static_cast<std::ptrdiff_t>(limit), out.end());
    out.resize(first + limit);
  }
  return unknown;
}

void LogCalls::NearMisses(std::string_view call, std::vector<std::string_view>& out) const {
  if (call.empty() || calls_.empty()) return;
  std::string v;
  auto probe = [&](const std::string& s) {
    if (auto it = ids_.find(std::string_view(s)); it != ids_.end()) out.push_back(it->first);
  };
  for (std::size_t i = 0; i < call.size(); ++i) {
    v.assign(call.substr(0, i)).append(call.substr(i + 1));
    probe(v);  // one dropped
    v.assign(call);
    for (int c = 0; c < kCallAlphabet; ++c) {
      v[i] = CallCharOfCode(c);
      if (v[i] != call[i]) probe(v);  // one changed
    }
  }
  for (std::size_t i = 0; i <= call.size(); ++i) {
    v.assign(call.substr(0, i)).append(1, ' ').append(call.substr(i));
    for (int c = 0; c < kCallAlphabet; ++c) {
      v[i] = CallCharOfCode(c);
      probe(v);  // one added
    }
  }
}

}  // namespace vk
