#include "log/adif_scan.h"

#include <algorithm>

#include "util/strings.h"

namespace vk::adif {
namespace {

char AsciiUpper(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// Position of "<name>" (any case) at or after `from`, or npos.
std::size_t FindMarker(std::string_view text, std::string_view marker, std::size_t from) {
  for (std::size_t at = text.find('<', from); at != std::string_view::npos;
       at = text.find('<', at + 1)) {
    if (text.size() - at >= marker.size() && SameName(text.substr(at, marker.size()), marker)) {
      return at;
    }
  }
  return std::string_view::npos;
}

std::string_view TrimSpaces(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

// The text after the last line break (all of it when there is none).
std::string_view LastLine(std::string_view text) {
  std::size_t i = text.size();
  while (i > 0 && text[i - 1] != '\r' && text[i - 1] != '\n') --i;
  return text.substr(i);
}

enum class MarkerPlace { kOutside, kInsideValue, kNeedMore };

// Whether the "<EOR>" at `at` of `text` (a record being gathered) ends the record or stands
// inside a value whose length carries it (an exchange holding "<EOR>", written by this
// program).  kNeedMore: a length reaches beyond what has been read so far.
MarkerPlace PlaceOf(std::string_view text, std::size_t at, bool final) {
  constexpr auto npos = std::string_view::npos;
  std::size_t pos = 0;
  while (true) {
    const std::size_t lt = text.find('<', pos);
    if (lt == npos || lt >= at) return MarkerPlace::kOutside;
    const std::size_t gt = FindEither(text, '<', '>', lt + 1);
    if (gt == npos || gt > at) return MarkerPlace::kOutside;
    if (text[gt] == '<') {
      pos = gt;
      continue;
    }
    const std::string_view tag = text.substr(lt + 1, gt - lt - 1);
    if (!final) {
      const std::size_t colon = tag.find(':');
      long long length = 0;
      if (colon != npos &&
          TryStrToInt(TrimSpaces(tag.substr(colon + 1, tag.find(':', colon + 1) - colon - 1)),
                      length) &&
          length > 0 && static_cast<unsigned long long>(length) < kMaxRecordText &&
          gt + 1 + static_cast<std::size_t>(length) >= text.size() &&
          !HasLineBreak(text.substr(gt + 1))) {
        return MarkerPlace::kNeedMore;
      }
    }
    const std::size_t end = ValueEnd(text, TrimBlanks(tag), gt + 1);
    if (at < end) return MarkerPlace::kInsideValue;
    pos = end;
  }
}

// Turns record texts into contacts.  Fields missing from a record keep the value of the record

}  // namespace

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

std::size_t FindEither(std::string_view text, char a, char b, std::size_t from) {
  for (std::size_t i = from; i < text.size(); ++i) {
    if (text[i] == a || text[i] == b) return i;
  }
  return std::string_view::npos;
}

bool HasLineBreak(std::string_view text) {
  return FindEither(text, '\r', '\n') != std::string_view::npos;
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
  }
  return true;
}

// Where the value that starts at `start` ends.  The length in the tag is believed when it ends
// the value right at the next tag, at a line break or at the end of the record, as in every
// record this program writes (whose values never hold a line break): a value may then hold
// "<" (the shifted comma key slips into exchanges, and a station may send one).  A length that does
// not fit so (characters counted instead of bytes by another program) is ignored and the value runs
// to the next "<".
std::size_t ValueEnd(std::string_view text, std::string_view tag, std::size_t start) {
  std::size_t colon = tag.find(':');
  if (colon != std::string_view::npos) {
    std::string_view digits = tag.substr(colon + 1);
    digits = digits.substr(0, digits.find(':'));
    long long length = 0;
    if (TryStrToInt(digits, length) && length >= 0 &&
        static_cast<unsigned long long>(length) <= text.size() - start) {
      std::size_t end = start + static_cast<std::size_t>(length);
      const bool fits =
          end == text.size() || text[end] == '<' || text[end] == '\r' || text[end] == '\n';
      if (fits && !HasLineBreak(text.substr(start, end - start))) return end;
    }
  }
  std::size_t end = text.find('<', start);
  return end == std::string_view::npos ? text.size() : end;
}

void RecordCutter::Feed(std::string_view chunk) {
  if (!chunk.empty()) lastByte_ = chunk.back();
  buf_ += chunk;
  Drain(false);
}

bool RecordCutter::Finish() {
  Drain(true);
  if (skipping_) return true;
  for (char c : std::string_view(buf_).substr(start_)) {
    if (!IsBlank(c)) return true;
  }
  return false;
}

// The "<EOR>" that ends the record being gathered, or npos (none yet, or undecided).
std::size_t RecordCutter::RecordEnd(std::string_view text, std::size_t from, bool final) {
  for (std::size_t eor = FindMarker(text, "<EOR>", from); eor != std::string_view::npos;
       eor = FindMarker(text, "<EOR>", eor + 1)) {
    if (skipping_) return eor;
    switch (PlaceOf(text.substr(start_), eor - start_, final)) {
      case MarkerPlace::kOutside:
        return eor;
      case MarkerPlace::kNeedMore:
        scan_ = eor + 4;  // look here again when more has come
        return std::string_view::npos;
      case MarkerPlace::kInsideValue:
        break;
    }
  }
  scan_ = text.size();
  return std::string_view::npos;
}

void RecordCutter::Drain(bool final) {
  std::string_view text(buf_);
  while (true) {
    const std::size_t from = scan_ > start_ + 4 ? scan_ - 4 : start_;
    const std::size_t eor = RecordEnd(text, from, final);
    if (!headerDone_) {
      const std::size_t eoh = FindMarker(text, "<EOH>", from);
      if (eoh != std::string_view::npos && eoh < eor) {
        start_ = scan_ = eoh + 5;
        headerDone_ = true;
        continue;
      }
    }
    if (eor == std::string_view::npos) break;
    headerDone_ = true;  // a file without a header starts with its first record
    if (skipping_) {
      skipping_ = false;
    } else if (eor + 5 - start_ > kMaxRecordText) {
      sink_.TooLong();
      const std::string_view tail = LastLine(text.substr(start_, eor + 5 - start_));
      if (tail.size() <= kMaxRecordText) sink_.Record(tail);
    } else {
      sink_.Record(text.substr(start_, eor + 5 - start_));
    }
    start_ = scan_ = eor + 5;
  }
  if (buf_.size() - start_ > kMaxRecordText) {
    // Far too long for a record.  A record may still begin on the last line; otherwise the
    // text is dropped up to the next "<EOR>", keeping the last bytes in case the marker is
    // split between two reads.
    sink_.TooLong();
    const std::size_t tail = LastLine(buf_).size();
    const std::size_t lineStart = buf_.size() - tail;
    if (tail != buf_.size() && lineStart > start_ && tail <= kMaxRecordText) {
      start_ = lineStart;
    } else {
      start_ = buf_.size() - 4;
      skipping_ = true;
    }
    scan_ = std::max(scan_, start_);
  }
  if (start_ > buf_.size() / 2) {
    buf_.erase(0, start_);
    scan_ -= start_;
    start_ = 0;
  }
}

}  // namespace vk::adif
