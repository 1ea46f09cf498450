#include "aids/call_history.h"

#include <charconv>
#include <utility>

#include "aids/line_reader.h"

namespace vk {

namespace {

constexpr std::size_t kMaxLine = 512;
constexpr std::string_view kOrderMark = "!!ORDER!!";
// Bounds the memory of a file of long lines: real files hold a few bytes a station.
constexpr std::size_t kMaxHistoryBytes = 16u << 20;

std::vector<std::string> SplitFields(std::string_view line) {
  std::vector<std::string> out;
  std::size_t start = 0;
  while (out.size() < kMaxHistoryFields + 1) {
    const std::size_t comma = line.find(',', start);
    const std::string_view f =
        line.substr(start, comma == std::string_view::npos ? line.size() - start : comma - start);
    out.push_back(CleanCall(f));
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  return out;
}

}  // namespace

Status CallHistory::Load(const std::string& path) {
  *this = {};
  LineCounts counts;
  const Status s = ForEachFileLine(
      path, kMaxLine, [this](std::string_view l) { return TakeLine(l); }, counts);
  stats_.malformed += counts.overlong;
  stats_.records = records_.size();
  return s;
}

void CallHistory::LoadText(std::string_view text) {
  *this = {};
  const LineCounts counts =
      ForEachLine(text, kMaxLine, [this](std::string_view l) { return TakeLine(l); });
  stats_.malformed += counts.overlong;
  stats_.records = records_.size();
}

bool CallHistory::TakeLine(std::string_view line) {
  const std::string trimmed = CleanCall(line);
  if (trimmed.empty() || trimmed[0] == '#') return true;
  std::vector<std::string> fields = SplitFields(trimmed);
  // The column names count only before the first record.
  if (fields[0] == kOrderMark) {
    if (records_.empty() && names_.empty()) TakeOrder(fields);
    return true;
  }
  if (fields.size() < 2 || callColumn_ >= fields.size() || !IsPlainCall(fields[callColumn_])) {
    ++stats_.malformed;
    return true;
  }
  std::string call = std::move(fields[callColumn_]);
  fields.erase(fields.begin() + static_cast<std::ptrdiff_t>(callColumn_));
  std::size_t bytes = call.size();
  for (const auto& f : fields) bytes += f.size() + 1;
  bytes_ += bytes;
  // Every byte ever kept counts, replaced ones too, so no file can grow the memory further.
  if (records_.size() >= kMaxHistoryRecords || bytes_ > kMaxHistoryBytes) {
    stats_.truncated = true;
    return false;
  }
  records_[std::move(call)] = std::move(fields);  // a later line for the call wins
  return true;
}

void CallHistory::TakeOrder(std::vector<std::string>& fields) {
  fields.erase(fields.begin());
  if (fields.empty()) return;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (fields[i] == "CALL") callColumn_ = i;
  }
  fields.erase(fields.begin() + static_cast<std::ptrdiff_t>(callColumn_));
  names_ = std::move(fields);
}

int CallHistory::FieldIndex(std::string_view nameOrNumber) const {
  const std::string key = CleanCall(nameOrNumber);
  if (key.empty()) return -1;
  int n = 0;
  const auto [end, ec] = std::from_chars(key.data(), key.data() + key.size(), n);
  if (ec == std::errc() && end == key.data() + key.size()) {
    return n >= 1 && n <= static_cast<int>(kMaxHistoryFields) ? n - 1 : -1;
  }
  for (std::size_t i = 0; i < names_.size(); ++i) {
    if (names_[i] == key) return static_cast<int>(i);
  }
  return -1;
}

std::string CallHistory::Value(std::string_view call, int field) const {
  if (field < 0) return {};
  const auto it = records_.find(std::string(call));
  if (it == records_.end() || static_cast<std::size_t>(field) >= it->second.size()) return {};
  return it->second[static_cast<std::size_t>(field)];
}

}  // namespace vk
