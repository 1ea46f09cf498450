// SPDX-License-Identifier: GPL-3.0-or-later
// Builds datagrams of the WSJT-X protocol field by field, big-endian as QDataStream writes
// them, for the tests of the reader and the listener.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vk::test {

class WsjtxStream {
 public:
  WsjtxStream(std::uint32_t type, std::string_view id = "WSJT-X", std::uint32_t schema = 3,
              std::uint32_t magic = 0xadbccbdaU) {
    U32(magic).U32(schema).U32(type).Text(id);
  }
  WsjtxStream& U(std::uint64_t v, int width) {
    for (int i = width - 1; i >= 0; --i) bytes_.push_back(static_cast<char>(v >> (8 * i) & 0xff));
    return *this;
  }
  WsjtxStream& U32(std::uint32_t v) { return U(v, 4); }
  WsjtxStream& U64(std::uint64_t v) { return U(v, 8); }
  WsjtxStream& Text(std::string_view s) {
    U32(static_cast<std::uint32_t>(s.size()));
    bytes_.append(s);
    return *this;
  }
  WsjtxStream& Null() { return U32(0xffffffffU); }
  // Julian day, milliseconds since midnight, time-zone kind 1 (UTC).
  WsjtxStream& Utc(std::uint64_t julian, std::uint32_t ms) { return U64(julian).U32(ms).U(1, 1); }
  const std::string& Bytes() const { return bytes_; }

 private:
  std::string bytes_;
};

// 5 December 2026 is Julian day 2461380.
inline constexpr std::uint64_t kDec5 = 2461380;

inline std::string QsoLogged(std::string_view call, std::uint32_t ms = (12 * 3600 + 34 * 60 + 56) * 1000U) {
  WsjtxStream s(5);
  s.Utc(kDec5, ms).Text(call).Text("FN42").U64(14075500).Text("FT8").Text("-10").Text("-07");
  s.Text("100").Text("").Null().Utc(kDec5, ms - 60000).Text("").Text("DL1ABC").Text("JO62");
  s.Text("JO62").Text("FN42");
  return s.Bytes();
}

inline std::string LoggedAdif(std::string_view record) {
  std::string adif = "\n<adif_ver:5>3.1.0\n<programid:6>WSJT-X\n<EOH>\n";
  adif.append(record).append(" <EOR>");
  return WsjtxStream(12).Text(adif).Bytes();
}

}  // namespace vk::test
