// Reader of the country-file format: header lines with ':' open a block, lines with ',' add
// prefixes, the line with ';' closes the block.  Whatever the bytes, the reader never fails:
// lines it cannot use are skipped.
#include <fstream>
#include <limits>
#include <string>
#include <vector>

#include "country/country.h"

namespace vk {

namespace {

// Lines are cut like the classic 255-byte line buffer of the format's home programs.
constexpr std::size_t kMaxLine = 255;
constexpr std::size_t kHeaderFields = 8;
constexpr std::uint16_t kMaxBlocks = std::numeric_limits<std::uint16_t>::max();
// A country file is some 300 KB.  Reading stops at 16 MB, which also keeps the number of
// tokens, and so of distinct lookup results, within what the index can number.
constexpr std::size_t kMaxFileBytes = 16u << 20;

bool IsBlank(char c) {
  return static_cast<unsigned char>(c) <= ' ';
}

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

std::string Field(std::string_view s, std::size_t width) {
  return std::string(TrimBlanks(s).substr(0, width));
}

std::uint8_t ZoneField(std::string_view s) {
  s = TrimBlanks(s);
  if (s.empty() || s.size() > 3) return kCountryNoZone;
  unsigned value = 0;
  for (char c : s) {
    if (c < '0' || c > '9') return kCountryNoZone;
    value = value * 10 + static_cast<unsigned>(c - '0');
  }
  return value < kCountryNoZone ? static_cast<std::uint8_t>(value) : kCountryNoZone;
}

class Reader {
 public:
  explicit Reader(std::vector<CountryEntry>& out) : out_(out) {}

  void Line(std::string_view raw) {
    std::string_view line = raw.substr(0, kMaxLine);
    line = TrimBlanks(line.substr(0, line.find('#')));
    if (line.empty()) return;
    if (line.find(':') != std::string_view::npos) {
      Header(line);
    } else if (line.find(';') != std::string_view::npos) {
      if (!open_) return;  // a terminator outside a block has nothing to close
      Append(line);
      out_.push_back(std::move(block_));
      block_ = CountryEntry{};
      open_ = false;
    } else if (line.find(',') != std::string_view::npos) {
      if (open_) Append(line);
    }
  }

 private:
  void Header(std::string_view line) {
    open_ = false;                      // an unterminated block before this header is dropped
    if (blocks_ == kMaxBlocks) return;  // entry numbers are 16 bits; later blocks are unusable
    ++blocks_;
    std::string_view fields[kHeaderFields];
    for (std::size_t i = 0; i < kHeaderFields && !line.empty(); ++i) {
      const std::size_t colon = line.find(':');
      fields[i] = line.substr(0, colon);
      line = colon == std::string_view::npos ? std::string_view() : line.substr(colon + 1);
    }
    block_ = CountryEntry{};
    block_.name = Field(fields[0], kCountryNameWidth);
    block_.cqZone = ZoneField(fields[1]);
    block_.ituZone = ZoneField(fields[2]);
    block_.continent = Field(fields[3], kCountryContinentWidth);
    block_.latitude = Field(fields[4], kCountryLatitudeWidth);
    block_.longitude = Field(fields[5], kCountryLongitudeWidth);
    block_.timeOffset = Field(fields[6], kCountryTimeOffsetWidth);
    block_.primaryPrefix = Field(fields[7], kCountryPrefixWidth);
    block_.number = blocks_;
    open_ = true;
  }

  // Each line goes in behind a ',' so that every token of the block starts right after one.
  void Append(std::string_view line) {
    block_.prefixText.push_back(',');
    block_.prefixText.append(line);
  }

  std::vector<CountryEntry>& out_;
  CountryEntry block_;
  bool open_ = false;
  std::uint16_t blocks_ = 0;
};

}  // namespace

// Lines end at LF, CR or CR LF; the empty line a CR LF pair leaves between them is skipped.
std::vector<CountryEntry> ParseCountryText(std::string_view text) {
  text = text.substr(0, kMaxFileBytes);
  std::vector<CountryEntry> entries;
  entries.reserve(350);
  Reader reader(entries);
  while (!text.empty()) {
    const std::size_t end = text.find_first_of("\r\n");
    reader.Line(text.substr(0, end));
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return entries;
}

bool ReadWholeFile(const std::string& path, std::string& out) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  out.clear();
  char chunk[65536];
  while (out.size() < kMaxFileBytes && in.read(chunk, sizeof chunk).gcount() > 0) {
    out.append(chunk, static_cast<std::size_t>(in.gcount()));
  }
  return !in.bad();
}

}  // namespace vk
