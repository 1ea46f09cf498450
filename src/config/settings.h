// The four groups of settings that share vorkan.cfg: main contest settings, keyer settings,
// stored CW messages and network settings.  There is no settings object that lives on: each
// routine opens the file, gets or sets its own keys, writes the file back if it changed, and
// closes it, so the groups never disturb each other's lines.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "util/result.h"

namespace vk {

class Journal;

// The two start-up failures the operator sees on standard output before the program ends with
// exit code 1.  The core never ends the program; the creators below return these as messages.
inline constexpr std::string_view kErrNotUpdateVorkConfig = "Error:-> not update VorkConfigFile.";
inline constexpr std::string_view kErrNotUpdateCwConfig = "Error:-> not update CwConfigFile.";

// vorkan.cfg in the current directory, worked out anew at each call.
std::string ConfigPath();

struct NetworkSettings {
  std::string ip = "192.168.1.1";
  std::string port = "12345";  // UDP port, both to send to and to listen on
  std::int32_t enable = 0;     // greater than 0: the exchange runs
  // Read only; the setup dialog leaves these lines of the file as they are.
  std::string peers;             // PEERS: addresses whose datagrams are taken (besides IP's)
  std::string key;               // KEY: the group's shared secret; empty: datagrams unsigned
  std::int32_t station = 0;      // STATION: 1-127, this station's part of new Guids; 0: derived
  std::string serials;           // SERIALS: LOG, STATION or BAND, the QSOs a serial continues
  std::int32_t firstSerial = 1;  // FIRSTSERIAL: where this station's sequence starts
};

// Without a file: the defaults above, and no file is created.  With a file, a missing PORT
// reads as "23456", not "12345".
NetworkSettings ReadNetworkSettings(const std::string& path = ConfigPath());
bool WriteNetworkSettings(const NetworkSettings& net, const std::string& path = ConfigPath());

struct MainSettings {
  std::string contest;        // identifier of the selected contest, up to 16
  std::string call;           // own call sign, up to 16
  std::uint8_t work = 0;      // 0 "Contest", 1 "WriteLog"
  std::string date;           // up to 12; only kept in WriteLog mode
  std::string time;           // up to 6; only kept in WriteLog mode
  std::uint8_t mode = 0;      // 0: the operator chooses, else the number of the fixed mode
  std::string txnr;           // the exchange sent, up to 8
  std::string locator;        // own Maidenhead locator (JO62 or JO62QM), may be empty
  std::string port = "Null";  // serial port of the keyer, up to 255
};

// Creates the file with only Main/Comment when it is missing; a failed creation comes back as
// kErrNotUpdateVorkConfig.  The settings are filled in either way.
Status ReadMainSettings(MainSettings& out, const std::string& path = ConfigPath());
bool WriteMainSettings(const MainSettings& main, const std::string& path = ConfigPath());

inline constexpr std::size_t kKeyerPortWidth = 16;

struct KeyerSettings {
  std::string port;           // up to 16
  std::uint8_t speed = 20;    // words per minute (PARIS), 5 to 60
  std::uint8_t standby = 15;  // pause between repeats, tenths of a second, 10 to 50
  std::uint8_t num019 = 0;    // cut numbers: 1 "0"->"O", 2 "0"->"T", 4 "1"->"A", 8 "9"->"N"
};

// `programPort` is the port the main settings read.  A port stored for the keyer replaces it;
// with none stored, the keyer takes it (cut to 16).
KeyerSettings ReadKeyerSettings(std::string& programPort, const std::string& path = ConfigPath());
// The port written is the keyer's, else the program's; with both empty it is left alone.
bool WriteKeyerSettings(const KeyerSettings& keyer, const std::string& programPort,
                        const std::string& path = ConfigPath());
// A change of port in the CW setup: journalled as "SaveCWPort:<port>" (`journal` nullptr:
// nowhere), then saved alone.
bool SaveKeyerPort(std::string_view port, const std::string& path, Journal* journal);

// The message keys in their fixed order; each is stored under "Key" + label.
inline constexpr std::size_t kCwMessageCount = 19;
inline constexpr std::array<std::string_view, kCwMessageCount> kCwMessageLabels = {
    "F1",  "F2",  "F3",  "F4", "F5", "F6", "F7", "F8", "F9", "F10",
    "F11", "F12", "INS", "-",  "+",  "[",  "]",  "<",  ">"};

struct CwMessages {
  std::array<std::string, kCwMessageCount> text;  // in the order of kCwMessageLabels
  bool anyStored = false;  // read: the file holds a line for at least one key, even an empty one
};

// The messages of a station that has stored none: F1 CQ, F2 exchange, F3 TU, F4
// own call, F5 his call, F6 worked before, F7 "?", F8 again; the other keys start empty.
inline constexpr std::array<std::string_view, 8> kDefaultCwMessages = {
    "CQ TEST {MYCALL} {MYCALL} TEST", "5NN {NR}", "TU {MYCALL}", "{MYCALL}", "{HISCALL}",
    "QSO B4 TU {MYCALL}",             "?",        "AGN AGN"};

// Creates the file with only CWMESSAGE/Comment when it is missing; a failed creation comes back
// as kErrNotUpdateCwConfig.  The messages are filled in either way; a file with no line for
// any key gives the default set (written with the next save).
Status ReadCwMessages(CwMessages& out, const std::string& path = ConfigPath());
bool WriteCwMessages(const CwMessages& messages, const std::string& path = ConfigPath());

}  // namespace vk
