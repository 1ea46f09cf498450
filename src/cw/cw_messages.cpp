#include "cw/cw_messages.h"

#include <algorithm>

#include "cw/morse.h"

namespace vk {

namespace {

int IndexOf(std::uint16_t keyCode) {
  const auto* it = std::find(kCwMessageKeys.begin(), kCwMessageKeys.end(), keyCode);
  return it == kCwMessageKeys.end() ? -1 : static_cast<int>(it - kCwMessageKeys.begin());
}

std::string Cut(std::string_view s) {
  return std::string(s.substr(0, kCwMessageMaxLength));
}

// Every `macro` in `text` becomes `value`.  The search goes on after the inserted value, so a
// value holding the macro character itself (a "@" typed into the Call line) cannot make it
// loop for ever.
std::string ReplaceAll(std::string_view text, char macro, std::string_view value) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    if (c == macro)
      out.append(value);
    else
      out.push_back(c);
  }
  return out;
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
  if (text.empty()) return {};
  std::string out = ReplaceAll(text, '$', values.ownCall);
  out = ReplaceAll(out, '#', ApplyCutNumbers(values.txNr, cutNumbers));
  out = ReplaceAll(out, '@', values.call.empty() ? values.lastCall : values.call);
  UpperCase(out);
  if (out.size() > kCwMessageMaxLength) out.resize(kCwMessageMaxLength);
  return out;
}

}  // namespace vk
