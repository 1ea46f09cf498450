// SPDX-License-Identifier: GPL-3.0-or-later
#include "digital/digital_settings.h"

#include "config/ini_file.h"
#include "net/udp_socket.h"
#include "util/strings.h"

namespace vk {

Status ParseListenAddress(std::string_view text, ListenAddress& out) {
  const std::string t = Trim(text);
  const auto colon = t.rfind(':');
  if (colon == std::string::npos)
    return Status::Error(ErrCode::kBadInput, "Listen=" + t + ": address:port expected");
  const std::optional<std::uint32_t> address = ParseIpv4(t.substr(0, colon));
  const std::optional<std::uint16_t> port = ParseNetPort(t.substr(colon + 1));
  if (!address) return Status::Error(ErrCode::kBadInput, "Listen=" + t + ": not an IPv4 address");
  if (!port) return Status::Error(ErrCode::kBadInput, "Listen=" + t + ": port 1-65535 expected");
  out = ListenAddress{*address, *port, IsMulticast(*address)};
  return {};
}

DigitalSettings LoadDigitalSettings(const std::string& path) {
  const IniFile ini(path);
  DigitalSettings s;
  s.listen = Trim(ini.GetEntry(kDigitalSection, "Listen", ""));
  const std::string mode = UpperCase(Trim(ini.GetEntry(kDigitalSection, "Mode", "")));
  if (mode == "DG" || mode == "PSK31") s.mode = Mode::kPsk31;
  if (mode == "RTTY" || mode == "RY") s.mode = Mode::kRtty;
  return s;
}

}  // namespace vk
