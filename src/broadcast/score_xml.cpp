// SPDX-License-Identifier: GPL-3.0-or-later
#include "broadcast/score_xml.h"

#include "broadcast/n1mm_packets.h"
#include "util/strings.h"

namespace vk {
namespace {

std::string Attr(std::string_view name, std::string_view cp866) {
  return std::string(" ") + std::string(name) + "=\"" + XmlText(cp866) + "\"";
}

void Element(std::string& out, std::string_view indent, std::string_view name,
             std::string_view cp866) {
  out.append(indent).append("<").append(name).append(">").append(XmlText(cp866));
  out.append("</").append(name).append(">\n");
}

void Breakdown(std::string& out, const ScoreLine& l) {
  const std::string where = Attr("band", l.band) + Attr("mode", l.mode);
  out += "    <qso" + where + ">" + IntToStr(l.qsos) + "</qso>\n";
  out += "    <point" + where + ">" + IntToStr(l.points) + "</point>\n";
  out += "    <mult" + where + Attr("type", "ALL") + ">" + IntToStr(l.mults) + "</mult>\n";
}

}  // namespace

std::string DynamicResultsXml(const ScoreDocument& d) {
  std::string out = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<dynamicresults>\n";
  Element(out, "  ", "contest", d.contest);
  Element(out, "  ", "call", d.call);
  Element(out, "  ", "ops", d.ops);
  out += "  <class" + Attr("power", d.power) + Attr("assisted", d.assisted) +
         Attr("transmitter", d.transmitter) + Attr("ops", d.operators) + Attr("bands", d.bands) +
         Attr("mode", d.mode) + Attr("overlay", d.overlay) + "></class>\n";
  Element(out, "  ", "club", d.club);
  Element(out, "  ", "soft", d.soft);
  Element(out, "  ", "version", d.version);
  out += "  <qth>\n";
  Element(out, "    ", "dxcccountry", d.country);
  Element(out, "    ", "cqzone", d.cqZone);
  Element(out, "    ", "iaruzone", d.ituZone);
  Element(out, "    ", "arrlsection", d.section);
  Element(out, "    ", "stprvoth", d.state);
  Element(out, "    ", "grid6", d.grid);
  out += "  </qth>\n  <breakdown>\n";
  Breakdown(out, d.total);
  for (const ScoreLine& l : d.lines) Breakdown(out, l);
  out += "  </breakdown>\n";
  out += "  <score>" + IntToStr(d.score) + "</score>\n";
  out += "  <timestamp>" + PacketTimeText(d.stamp) + "</timestamp>\n</dynamicresults>\n";
  return out;
}

}  // namespace vk
