// SPDX-License-Identifier: GPL-3.0-or-later
// The UDP packets that scoreboards, dashboards, rotator and amplifier controllers and band
// decoders listen for: the XML documents N1MM Logger+ broadcasts, with its element names and
// value forms, so that listeners written for it work unchanged.
//
//   contactinfo / contactreplace  a QSO logged / a QSO edited (the same fields)
//   contactdelete                 a QSO deleted
//   RadioInfo                     the radio's frequency and mode
//
// Frequencies are in tens of Hz ("1402550" is 14025.5 kHz); the band is its lower edge in MHz
// ("1.8", "3.5", "14", "144"); time stamps are UTC "YYYY-MM-DD HH:MM:SS"; flags are 0 or 1,
// except IsOriginal and the RadioInfo flags, which are True or False.  Texts come in as the
// log's CP866 bytes and go out as UTF-8, escaped for XML.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "util/bands.h"
#include "util/datetime.h"

namespace vk {

struct ContactPacket {
  std::string app = "Vorkan";
  std::string contestName;  // the Cabrillo name of the contest
  int contestNr = 1;
  DateTime stamp;
  std::string myCall;
  Freq freq = 0;  // the log's units of 100 Hz
  Mode mode = Mode::kUnknown;
  std::string op;
  std::string call;
  std::string countryPrefix, wpxPrefix, continent;
  std::string sent, rcvd;  // the exchanges as the log keeps them ("599 001", "579 CT")
  std::string zone;
  int points = 0;
  bool multiplier1 = false, multiplier2 = false;
  bool radioInterfaced = false;
  int networkedCompNr = 0;
  bool original = true;  // made at this station
  bool run = false;
  std::string stationName;
  std::string id;  // 32 hexadecimal digits, the same for every packet about one QSO
};

struct RadioPacket {
  std::string app = "Vorkan";
  std::string stationName;
  Freq freq = 0;
  Mode mode = Mode::kUnknown;
  std::string opCall;
  bool running = false;
  bool connected = false;
  std::string radioName;
};

// "contactinfo" or "contactreplace".
std::string ContactXml(std::string_view element, const ContactPacket& p);
std::string ContactDeleteXml(const ContactPacket& p);
std::string RadioInfoXml(const RadioPacket& p);

// The pieces in the packets' forms.
std::string BandMhzText(Freq f);      // "14", "3.5"; empty outside the bands
std::string TensOfHzText(Freq f);     // 140255 -> "1402550"
std::string PacketModeText(Freq f, Mode m);  // CW, LSB/USB by the band's custom, FM, RTTY, PSK31
std::string PacketTimeText(const DateTime& t);
std::string XmlText(std::string_view cp866);  // UTF-8, & < > " ' escaped
// The report ("599", "-10") and the rest of an exchange; a rest that is a plain number is the
// serial.
struct PacketExchange {
  std::string report, number, rest;
};
PacketExchange SplitPacketExchange(std::string_view exchange);

}  // namespace vk
