#include "net/sync_text.h"

#include <zlib.h>

#include "net/net_message.h"
#include "util/strings.h"

namespace vk {
namespace {

constexpr char kSep = '^';

}  // namespace

std::string Hex8(std::uint32_t v) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string s(8, '0');
  for (int i = 7; i >= 0; --i, v >>= 4) s[static_cast<std::size_t>(i)] = kDigits[v & 15];
  return s;
}

std::optional<std::uint32_t> ReadHex8(std::string_view text) {
  if (text.size() != 8) return std::nullopt;
  std::uint32_t v = 0;
  for (char c : text) {
    int d = -1;
    if (c >= '0' && c <= '9') d = c - '0';
    if (c >= 'a' && c <= 'f') d = c - 'a' + 10;
    if (d < 0) return std::nullopt;
    v = v << 4 | static_cast<std::uint32_t>(d);
  }
  return v;
}

std::string FormatDig(const DigText& d) {
  return std::string(kDigKeyword) + IntToStr(d.station) + kSep + IntToStr(d.count) + kSep +
         Hex8(d.digest) + kSep + Hex8(d.logCrc);
}

std::optional<DigText> ParseDig(std::string_view body) {
  const std::vector<std::string_view> f = SplitView(body, kSep);
  if (f.size() != 4) return std::nullopt;
  const auto station = ParseStrictInt(f[0], 1, 127);
  const auto count = ParseStrictInt(f[1], 0, 1 << 20);
  const auto digest = ReadHex8(f[2]);
  const auto crc = ReadHex8(f[3]);
  if (!station || !count || !digest || !crc) return std::nullopt;
  return DigText{static_cast<int>(*station), static_cast<std::uint32_t>(*count), *digest, *crc};
}

std::optional<SyncText> SplitStation(std::string_view body) {
  const std::size_t at = body.find(kSep);
  if (at == std::string_view::npos) return std::nullopt;
  const auto station = ParseStrictInt(body.substr(0, at), 1, 127);
  if (!station) return std::nullopt;
  return SyncText{static_cast<int>(*station), body.substr(at + 1)};
}

std::optional<std::vector<std::uint32_t>> ReadHexList(std::string_view text) {
  std::vector<std::uint32_t> out;
  if (text.empty()) return out;
  for (std::string_view item : SplitView(text, ',')) {
    const auto v = ReadHex8(item);
    if (!v) return std::nullopt;
    out.push_back(*v);
  }
  return out;
}

std::optional<InvEntry> ReadInvEntry(std::string_view text) {
  const std::vector<std::string_view> f = SplitView(text, '.');
  InvEntry e;
  const auto guid = f.empty() ? std::nullopt : ReadHex8(f[0]);
  if (!guid) return std::nullopt;
  e.guid = *guid;
  if (f.size() == 2 && f[1] == "x") {
    e.deleted = true;
    return e;
  }
  if (f.size() != 3) return std::nullopt;
  const auto crc = ReadHex8(f[1]);
  const auto mark = ParseStrictInt(f[2], INT32_MIN, INT32_MAX);
  if (!crc || !mark) return std::nullopt;
  e.crc = *crc;
  e.mark = static_cast<std::int32_t>(*mark);
  return e;
}

std::string FormatInvEntry(const InvEntry& e) {
  if (e.deleted) return Hex8(e.guid) + ".x";
  return Hex8(e.guid) + "." + Hex8(e.crc) + "." + IntToStr(e.mark);
}

std::uint32_t MessageHash(std::string_view text) {
  uLong crc = ::crc32(0L, Z_NULL, 0);
  crc = ::crc32(crc, reinterpret_cast<const Bytef*>(text.data()), static_cast<uInt>(text.size()));
  return static_cast<std::uint32_t>(crc);
}

}  // namespace vk
