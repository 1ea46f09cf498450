#include "cw/cw_messages.h"

#include <algorithm>

#include "cw/morse.h"
#include "util/strings.h"

namespace vk {

namespace {

int IndexOf(std::uint16_t keyCode) {
  const auto* it = std::find(kCwMessageKeys.begin(), kCwMessageKeys.end(), keyCode);
  return it == kCwMessageKeys.end() ? -1 : static_cast<int>(it - kCwMessageKeys.begin());
}

std::string Cut(std::string_view s) {
  return std::string(s.substr(0, kCwMessageMaxLength));
}

// The value of a macro in braces, or false for a name that is no macro (kept as typed).
bool BraceMacro(std::string_view name, std::uint8_t cutNumbers, const MacroValues& v,
                std::string& out) {
  if (name == "MYCALL") {
    out = v.ownCall;
  } else if (name == "HISCALL" || name == "CALL") {
    out = v.call.empty() ? v.lastCall : v.call;
  } else if (name == "NR") {
    out = ApplyCutNumbers(v.txNr.substr(ReportPrefixLength(v.txNr)), cutNumbers);
  } else if (name == "EXCH") {
    // On CW a 599 at the front goes out as 5NN, as every contester sends it.
    const std::size_t n = ReportPrefixLength(v.txNr);
    std::string report(v.txNr.substr(0, n));
    if (report == "599 " || report == "599/") report = "5NN ";
    if (n > 0) report.back() = ' ';
    out = report + ApplyCutNumbers(v.txNr.substr(n), cutNumbers);
  } else {
    return false;
  }
  return true;
}

void UpperCase(std::string& s) {
  for (char& c : s) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
}

}  // namespace

CwMessageList::CwMessageList() {
  messages_.reserve(kCwMessageCount);
  for (const std::uint16_t key : kCwMessageKeys) messages_.push_back(CwMessage{key, {}});
}

CwMessageList::CwMessageList(const CwMessages& stored) : CwMessageList() {
  for (std::size_t i = 0; i < kCwMessageCount; ++i) messages_[i].Text = Cut(stored.text[i]);
}

Status CwMessageList::Load(const std::string& path) {
  CwMessages stored;
  Status st = ReadCwMessages(stored, path);
  *this = CwMessageList(stored);
  return st;
}

bool CwMessageList::Save(const std::string& path) const {
  return WriteCwMessages(Stored(), path);
}

CwMessages CwMessageList::Stored() const {
  CwMessages out;
  for (std::size_t i = 0; i < kCwMessageCount; ++i) out.text[i] = messages_[i].Text;
  return out;
}

std::string CwMessageList::TextOf(std::uint16_t keyCode) const {
  const int i = IndexOf(keyCode);
  return i < 0 ? std::string() : messages_[static_cast<std::size_t>(i)].Text;
}

void CwMessageList::Replace(std::uint16_t keyCode, std::string_view text) {
  const int i = IndexOf(keyCode);
  if (i >= 0) messages_[static_cast<std::size_t>(i)].Text = Cut(text);
}

bool IsCwMessageKey(std::uint16_t keyCode) {
  return IndexOf(keyCode) >= 0;
}

std::string Expand(std::string_view text, std::uint8_t cutNumbers, const MacroValues& values) {
  // One pass over the message: what a macro puts in is never looked at again, so a "$" or a
  // "{" typed into the Call line goes out as typed.
  std::string out;
  out.reserve(text.size() + 32);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '$') {
      out.append(values.ownCall);
    } else if (c == '#') {
      out.append(ApplyCutNumbers(values.txNr, cutNumbers));
    } else if (c == '@') {
      out.append(values.call.empty() ? values.lastCall : values.call);
    } else if (c == '{') {
      const std::size_t close = text.find('}', i);
      std::string value;
      if (close != std::string_view::npos &&
          BraceMacro(text.substr(i + 1, close - i - 1), cutNumbers, values, value)) {
        out.append(value);
        i = close;
      } else {
        out.push_back(c);
      }
    } else {
      out.push_back(c);
    }
  }
  UpperCase(out);
  if (out.size() > kCwMessageMaxLength) out.resize(kCwMessageMaxLength);
  return out;
}

}  // namespace vk
