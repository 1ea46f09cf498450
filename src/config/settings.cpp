#include "config/settings.h"

#include <unistd.h>

#include "config/ini_file.h"
#include "log/journal.h"
#include "util/strings.h"

namespace vk {
namespace {

constexpr std::string_view kMain = "Main";
constexpr std::string_view kMorze = "Morze";
constexpr std::string_view kCwMessage = "CWMESSAGE";
constexpr std::string_view kNetwork = "NETWORK";
constexpr std::string_view kComment = "Comment";
constexpr std::string_view kPort = "Port";

std::string Cut(std::string s, std::size_t width) {
  if (s.size() > width) s.resize(width);
  return s;
}

// Byte settings keep only the low 8 bits of what the file holds: 300 reads as 44.
std::uint8_t ByteEntry(const IniFile& ini, std::string_view section, std::string_view key,
                       std::int32_t defaultValue) {
  return static_cast<std::uint8_t>(ini.GetIntEntry(section, key, defaultValue) & 0xFF);
}

// A start-up creator: a file that is missing gets its group's comment line.  The caller still
// reads its keys from the same object, which then holds exactly what was written.
Status CreateIfMissing(IniFile& ini, std::string_view section, std::string_view text,
                       std::string_view failure) {
  if (ini.FileFound()) return Status::Ok();
  ini.SetEntry(section, kComment, text);
  if (ini.Update()) return Status::Ok();
  return Status::Error(ErrCode::kIo, std::string(failure), ini.FileName());
}

std::string CwKey(std::string_view label) {
  return "Key" + std::string(label);
}

}  // namespace

std::string ConfigPath() {
  char buf[4096];
  if (::getcwd(buf, sizeof buf) == nullptr) return "vorkan.cfg";
  return AddPathDelimiter(buf) + "vorkan.cfg";
}

NetworkSettings ReadNetworkSettings(const std::string& path) {
  NetworkSettings net;
  IniFile ini(path);
  if (!ini.FileFound()) return net;
  net.ip = ini.GetEntry(kNetwork, "IP", "192.168.1.1");
  net.port = ini.GetEntry(kNetwork, "PORT", "23456");
  net.enable = ini.GetIntEntry(kNetwork, "ENABLE", 0);
  net.peers = ini.GetEntry(kNetwork, "PEERS", "");
  net.key = ini.GetEntry(kNetwork, "KEY", "");
  net.station = ini.GetIntEntry(kNetwork, "STATION", 0);
  net.serials = ini.GetEntry(kNetwork, "SERIALS", "");
  net.firstSerial = ini.GetIntEntry(kNetwork, "FIRSTSERIAL", 1);
  return net;
}

bool WriteNetworkSettings(const NetworkSettings& net, const std::string& path) {
  IniFile ini(path);
  ini.SetEntry(kNetwork, "IP", net.ip);
  ini.SetEntry(kNetwork, "PORT", net.port);
  ini.SetIntEntry(kNetwork, "ENABLE", net.enable);
  return ini.Update();
}

Status ReadMainSettings(MainSettings& out, const std::string& path) {
  IniFile ini(path);
  // A file too large to be a configuration is not read: starting on defaults would hide it.
  if (ini.ReadError().code == ErrCode::kBadInput) return ini.ReadError();
  Status st =
      CreateIfMissing(ini, kMain, "<<- VORKAN Contest program ->>", kErrNotUpdateVorkConfig);
  out.contest = Cut(ini.GetEntry(kMain, "Contest", ""), 16);
  out.call = Cut(ini.GetEntry(kMain, "Call", ""), 16);
  out.work = ByteEntry(ini, kMain, "Work", 0);
  if (out.work == 1) {
    out.date = Cut(ini.GetEntry(kMain, "Date", ""), 12);
    out.time = Cut(ini.GetEntry(kMain, "Time", ""), 6);
  } else {
    out.date.clear();
    out.time.clear();
  }
  out.mode = ByteEntry(ini, kMain, "Mode", 0);
  out.txnr = Cut(ini.GetEntry(kMain, "Txnr", ""), 8);
  out.locator = Cut(ini.GetEntry(kMain, "Locator", ""), 6);
  out.port = Cut(ini.GetEntry(kMorze, kPort, "Null"), kMaxText);
  return st;
}

bool WriteMainSettings(const MainSettings& main, const std::string& path) {
  IniFile ini(path);
  ini.SetEntry(kMain, "Contest", main.contest);
  ini.SetEntry(kMain, "Call", main.call);
  ini.SetIntEntry(kMain, "Work", main.work);
  ini.SetIntEntry(kMain, "Mode", main.mode);
  ini.SetEntry(kMain, "Txnr", main.txnr);
  // Only a station that has given its locator gets the line; a file without it stays as it is.
  if (!main.locator.empty() || !ini.GetEntry(kMain, "Locator", "").empty()) {
    ini.SetEntry(kMain, "Locator", main.locator);
  }
  if (main.work == 1) {
    ini.SetEntry(kMain, "Date", main.date);
    ini.SetEntry(kMain, "Time", main.time);
  }
  ini.SetEntry(kMorze, kPort, main.port);
  return ini.Update();
}

KeyerSettings ReadKeyerSettings(std::string& programPort, const std::string& path) {
  KeyerSettings keyer;
  {
    IniFile ini(path);
    keyer.port = Cut(ini.GetEntry(kMorze, kPort, ""), kKeyerPortWidth);
    keyer.speed = ByteEntry(ini, kMorze, "Speed", 20);
    keyer.standby = ByteEntry(ini, kMorze, "Standby", 15);
    keyer.num019 = ByteEntry(ini, kMorze, "Num019", 0);
  }
  if (!keyer.port.empty()) {
    programPort = keyer.port;
  } else if (!programPort.empty()) {
    keyer.port = Cut(programPort, kKeyerPortWidth);
  }
  return keyer;
}

bool WriteKeyerSettings(const KeyerSettings& keyer, const std::string& programPort,
                        const std::string& path) {
  IniFile ini(path);
  const std::string& port = !keyer.port.empty() ? keyer.port : programPort;
  if (!port.empty()) ini.SetEntry(kMorze, kPort, port);
  ini.SetIntEntry(kMorze, "Speed", keyer.speed);
  ini.SetIntEntry(kMorze, "Standby", keyer.standby);
  ini.SetIntEntry(kMorze, "Num019", keyer.num019);
  return ini.Update();
}

bool SaveKeyerPort(std::string_view port, const std::string& path, Journal* journal) {
  JournalAppend(journal, "SaveCWPort:" + std::string(port));
  IniFile ini(path);
  ini.SetEntry(kMorze, kPort, port);
  return ini.Update();
}

Status ReadCwMessages(CwMessages& out, const std::string& path) {
  IniFile ini(path);
  Status st = CreateIfMissing(ini, kCwMessage, "<<- CW Message text ->>", kErrNotUpdateCwConfig);
  for (std::size_t i = 0; i < kCwMessageCount; ++i) {
    const std::string key = CwKey(kCwMessageLabels[i]);
    out.text[i] = ini.GetEntry(kCwMessage, key, "");
    if (ini.SearchEntry(kCwMessage, key) != nullptr) out.anyStored = true;
  }
  if (!out.anyStored) {
    for (std::size_t i = 0; i < kDefaultCwMessages.size(); ++i) out.text[i] = kDefaultCwMessages[i];
  }
  return st;
}

bool WriteCwMessages(const CwMessages& messages, const std::string& path) {
  IniFile ini(path);
  for (std::size_t i = 0; i < kCwMessageCount; ++i) {
    ini.SetEntry(kCwMessage, CwKey(kCwMessageLabels[i]), messages.text[i]);
  }
  return ini.Update();
}

}  // namespace vk
