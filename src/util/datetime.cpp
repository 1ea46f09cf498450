#include "util/datetime.h"

#include "util/clock.h"
#include "util/strings.h"

namespace vk {
namespace {

constexpr char kLetters[] = "ymdhns";

// The fields in mask-letter order.
constexpr std::uint16_t DateTime::*kFields[] = {&DateTime::year, &DateTime::month,
                                                &DateTime::day,  &DateTime::hour,
                                                &DateTime::minute, &DateTime::second};

int LetterIndex(char c) {
  for (int i = 0; i < 6; ++i)
    if (kLetters[i] == c) return i;
  return -1;
}

// Where a letter's field sits in the text: the run holding its last occurrence.
struct FieldSpan {
  bool present = false;
  std::size_t start = 0, last = 0;
};

}  // namespace

std::string FormatMask(const DateTime& dt, std::string_view mask) {
  std::string out;
  for (std::size_t i = 0; i < mask.size();) {
    std::size_t j = i;
    while (j < mask.size() && mask[j] == mask[i]) ++j;
    int k = static_cast<int>(j - i);
    int letter = LetterIndex(mask[i]);
    if (letter < 0) {
      out.append(mask.substr(i, j - i));
    } else if (letter == 0) {
      out += IntToStrPad(dt.year, k);  // "yy" still gives the full year: never cut
    } else {
      out += IntToStrZero(dt.*kFields[letter], k);
    }
    i = j;
  }
  return out;
}

void ParseMask(std::string_view text, std::string_view mask, DateTime& dt, const TimeSource& time) {
  if (text.empty()) return;
  std::string m = LowerCase(mask);
  FieldSpan spans[6];
  for (std::size_t i = 0; i < m.size(); ++i) {
    int letter = LetterIndex(m[i]);
    if (letter < 0) continue;
    FieldSpan& f = spans[letter];
    if (!f.present || i != f.last + 1) f.start = i;  // a new run of the letter
    f.present = true;
    f.last = i;
  }
  for (int letter = 0; letter < 6; ++letter) {
    const FieldSpan& f = spans[letter];
    if (!f.present) continue;
    std::string_view chars;
    if (f.start < text.size()) chars = text.substr(f.start, f.last - f.start + 1);
    long long v = 0;
    // Fields are unsigned; a sign (or anything not a number) ends the parse here, and the
    // fields not reached yet keep their old values.
    if (!TryStrToInt(chars.substr(0, 4), v) || v < 0) return;
    dt.*kFields[letter] = static_cast<std::uint16_t>(v);
  }
  // Two-digit years belong to the current century; this applies even when the mask has no
  // year, so a record that never had one gets the century's first year.
  if (dt.year < 100)
    dt.year = static_cast<std::uint16_t>(dt.year + time.LocalNow().year / 100 * 100);
}

}  // namespace vk
