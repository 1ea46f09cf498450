// The keys a multiplier or bonus rule has recorded in one band-and-mode slot: distinct strings
// in ascending byte order (the order the multiplier windows list them in).  Lookups take a
// string_view and never allocate.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

namespace vk {

class KeyList {
 public:
  KeyList() { keys_.reserve(30); }

  bool Contains(std::string_view key) const {
    auto it = LowerBound(key);
    return it != keys_.end() && *it == key;
  }
  // Inserting a key already there leaves the list as it is.
  void Insert(std::string_view key) {
    auto it = LowerBound(key);
    if (it != keys_.end() && *it == key) return;
    keys_.insert(it, std::string(key));
    auto len = std::lower_bound(lengths_.begin(), lengths_.end(), key.size());
    if (len == lengths_.end() || *len != key.size()) lengths_.insert(len, key.size());
  }
  // True when some recorded key occurs inside `text` (the domestic test).  A region list may
  // hold thousands of keys but only a few lengths, so the pieces of the text of those lengths
  // are looked up instead of searching the text for every key.
  bool AnyInside(std::string_view text) const {
    for (std::size_t len : lengths_) {
      if (len > text.size()) break;
      for (std::size_t at = 0; at + len <= text.size(); ++at) {
        if (Contains(text.substr(at, len))) return true;
      }
    }
    return false;
  }

  // Forgets every key (the log is being scored again from its first QSO).
  void Clear() {
    keys_.clear();
    lengths_.clear();
  }

  std::size_t Size() const { return keys_.size(); }
  bool Empty() const { return keys_.empty(); }
  const std::string& operator[](std::size_t i) const { return keys_[i]; }
  std::vector<std::string>::const_iterator begin() const { return keys_.begin(); }
  std::vector<std::string>::const_iterator end() const { return keys_.end(); }

 private:
  std::vector<std::string>::const_iterator LowerBound(std::string_view key) const {
    return std::lower_bound(keys_.begin(), keys_.end(), key,
                            [](const std::string& a, std::string_view b) { return a < b; });
  }
  std::vector<std::string> keys_;
  std::vector<std::size_t> lengths_;  // distinct key lengths, ascending
};

}  // namespace vk
