// SPDX-License-Identifier: GPL-3.0-or-later
#include "broadcast/n1mm_packets.h"

#include "util/strings.h"

namespace vk {
namespace {

constexpr std::string_view kXmlHead = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n";

// Builds one document: elements one to a line, tab-indented, CR LF as the original has them.
class Doc {
 public:
  explicit Doc(std::string_view root) : root_(root) {
    out_.append(kXmlHead).append("<").append(root).append(">\r\n");
  }
  Doc& Put(std::string_view name, std::string_view value) {
    out_.append("\t<").append(name).append(">").append(value).append("</").append(name).append(">\r\n");
    return *this;
  }
  Doc& Text(std::string_view name, std::string_view cp866) { return Put(name, XmlText(cp866)); }
  Doc& Num(std::string_view name, long long v) { return Put(name, IntToStr(v)); }
  Doc& Flag(std::string_view name, bool v) { return Put(name, v ? "1" : "0"); }
  Doc& Bool(std::string_view name, bool v) { return Put(name, v ? "True" : "False"); }
  std::string Done() { return out_.append("</").append(root_).append(">\r\n"); }

 private:
  std::string root_;
  std::string out_;
};

bool IsReport(std::string_view t) {
  if (t.empty() || t.size() > 3) return false;
  std::size_t i = (t[0] == '-' || t[0] == '+') ? 1 : 0;
  if (i == t.size()) return false;
  for (; i < t.size(); ++i) {
    if (t[i] < '0' || t[i] > '9') return false;
  }
  return t[0] == '-' || t[0] == '+' || t.size() >= 2;
}

bool IsNumber(std::string_view t) {
  if (t.empty() || t.size() > 9) return false;
  for (char c : t) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

}  // namespace

std::string BandMhzText(Freq f) {
  switch (BandOfFreq(f)) {
    case 1: return "1.8";
    case 2: return "3.5";
    case 3: return "7";
    case 4: return "14";
    case 5: return "21";
    case 6: return "28";
    case 7: return "144";
    case 8: return "420";
    case 9: return "1240";
    default: break;
  }
  if (f >= 101000 && f < 101500) return "10";  // 30 m, which the log's bands leave out
  if (f >= 180680 && f < 181680) return "18";
  if (f >= 248900 && f < 249900) return "24";
  if (f >= 500000 && f < 540000) return "50";
  return {};
}

std::string TensOfHzText(Freq f) {
  return IntToStr(static_cast<long long>(f) * 10);
}

std::string PacketModeText(Freq f, Mode m) {
  switch (m) {
    case Mode::kCw: return "CW";
    case Mode::kPhone: return f < 100000 ? "LSB" : "USB";  // lower sideband below 10 MHz
    case Mode::kFm: return "FM";
    case Mode::kRtty: return "RTTY";
    case Mode::kPsk31: return "PSK31";
    default: return {};
  }
}

std::string PacketTimeText(const DateTime& t) {
  return FormatMask(t, "yyyy-mm-dd hh:nn:ss");
}

std::string XmlText(std::string_view cp866) {
  std::string out;
  for (char c : Cp866ToUtf8(cp866)) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&apos;"; break;
      default:
        // XML 1.0 has no place for control characters other than tab and line ends.
        if (static_cast<unsigned char>(c) >= 0x20 || c == '\t') out += c;
    }
  }
  return out;
}

PacketExchange SplitPacketExchange(std::string_view exchange) {
  PacketExchange p;
  std::string t = Trim(exchange);
  const auto space = t.find(' ');
  const std::string first = t.substr(0, space);
  if (IsReport(first)) {
    p.report = first;
    t = space == std::string::npos ? std::string() : Trim(std::string_view(t).substr(space + 1));
  }
  if (IsNumber(t)) {
    p.number = IntToStr(std::stoll(t));
  } else {
    p.rest = t;
  }
  return p;
}

std::string ContactXml(std::string_view element, const ContactPacket& p) {
  const PacketExchange sent = SplitPacketExchange(p.sent);
  const PacketExchange rcvd = SplitPacketExchange(p.rcvd);
  Doc d(element);
  d.Text("app", p.app).Text("contestname", p.contestName).Num("contestnr", p.contestNr);
  d.Put("timestamp", PacketTimeText(p.stamp)).Text("mycall", p.myCall);
  d.Put("band", BandMhzText(p.freq)).Put("rxfreq", TensOfHzText(p.freq));
  d.Put("txfreq", TensOfHzText(p.freq)).Text("operator", p.op);
  d.Put("mode", PacketModeText(p.freq, p.mode)).Text("call", p.call);
  d.Text("countryprefix", p.countryPrefix).Text("wpxprefix", p.wpxPrefix);
  d.Text("stationprefix", p.myCall).Text("continent", p.continent);
  d.Text("snt", sent.report).Put("sntnr", sent.number.empty() ? "0" : sent.number);
  d.Text("rcv", rcvd.report).Put("rcvnr", rcvd.number.empty() ? "0" : rcvd.number);
  d.Put("gridsquare", "").Text("exchange1", rcvd.rest).Put("section", "").Put("comment", "");
  d.Put("qth", "").Put("name", "").Put("power", "").Put("misctext", "");
  d.Put("zone", p.zone.empty() ? "0" : XmlText(p.zone)).Put("prec", "").Put("ck", "0");
  d.Flag("ismultiplier1", p.multiplier1).Flag("ismultiplier2", p.multiplier2);
  d.Flag("ismultiplier3", false).Num("points", p.points).Put("radionr", "1");
  d.Put("run1run2", "1").Put("RoverLocation", "").Flag("RadioInterfaced", p.radioInterfaced);
  d.Num("NetworkedCompNr", p.networkedCompNr).Bool("IsOriginal", p.original);
  d.Text("NetBiosName", p.stationName).Flag("IsRunQSO", p.run);
  d.Text("StationName", p.stationName).Text("ID", p.id).Put("IsClaimedQso", "1");
  return d.Done();
}

std::string ContactDeleteXml(const ContactPacket& p) {
  Doc d("contactdelete");
  d.Text("app", p.app).Put("timestamp", PacketTimeText(p.stamp)).Text("call", p.call);
  d.Num("contestnr", p.contestNr).Text("StationName", p.stationName).Text("ID", p.id);
  return d.Done();
}

std::string RadioInfoXml(const RadioPacket& p) {
  Doc d("RadioInfo");
  d.Text("app", p.app).Text("StationName", p.stationName).Put("RadioNr", "1");
  d.Put("Freq", TensOfHzText(p.freq)).Put("TXFreq", TensOfHzText(p.freq));
  d.Put("Mode", PacketModeText(p.freq, p.mode)).Text("OpCall", p.opCall);
  d.Bool("IsRunning", p.running).Put("FocusEntry", "0").Put("EntryWindowHwnd", "0");
  d.Put("Antenna", "-1").Put("Rotors", "").Put("FocusRadioNr", "1").Bool("IsStereo", false);
  d.Bool("IsSplit", false).Put("ActiveRadioNr", "1").Bool("IsTransmitting", false);
  d.Put("FunctionKeyCaption", "").Text("RadioName", p.radioName);
  d.Put("AuxAntSelected", "-1").Put("AuxAntSelectedName", "").Bool("IsConnected", p.connected);
  return d.Done();
}

}  // namespace vk
