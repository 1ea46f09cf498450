// A contest rules file on any bytes, then the queries of a QSO: loading and scoring must never
// crash or hang, whatever the file holds.
#include <cstdint>
#include <pugixml.hpp>
#include <string>

#include "country/country.h"
#include "log/journal.h"
#include "log/log_collection.h"
#include "rules/rules_loader.h"
#include "rules/tree_rules.h"

namespace {

// A few countries, enough for prefixes, zones and continents to take part.
const vk::CountryLists& Lists() {
  static const vk::CountryLists lists{
      vk::CountryList::FromText("Germany:                  14:  28:  EU:   51.00:   -10.00:    "
                                "-1.0:  DL:\n    DA,DB,DC,DD,DF,DG,DH,DJ,DK,DL,DM,DO;\n"
                                "United States:            05:  08:  NA:   37.53:    91.67:     "
                                "5.0:  K:\n    AA,K,N,W,=W1AW;\n"
                                "European Russia:          16:  29:  EU:   53.65:   -41.37:    "
                                "-4.0:  UA:\n    R,U,=R3A(17)[30];\n"),
      vk::CountryList::FromText("Moscow:                   16:  29:  EU:   55.75:   -37.62:    "
                                "-3.0:  MA:\n    R3A,UA3A;\n")};
  return lists;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  vk::Journal journal("/dev/null");  // the journal lines are built and written, unseen
  pugi::xml_document doc;
  (void)doc.load_buffer(data, size);
  vk::TTreeRules tree(&journal);
  vk::TLogCollection log;
  tree.SetCountryLists(&Lists());
  tree.SetLog(&log);
  (void)tree.SetOwnCall("DL1ABC");
  for (pugi::xml_node contest : doc.document_element().children()) {
    vk::ParseRuleElements(tree, contest);
    break;
  }
  for (const char* call : {"W1AW", "UA3AAA", "DL2XYZ", "JA1AA", ""}) {
    for (std::uint8_t band = 0; band <= 9; band += 3) {
      vk::QsoRecord q;
      q.Call = call;
      q.Rcvd = tree.PrefillRxNr(call) + "599 15";
      q.Freq = 140250;
      q.Mode = vk::Mode::kCw;
      q.Score = static_cast<std::int16_t>(tree.GetScore(call, q.Rcvd, band, vk::Mode::kCw));
      q.Multi = static_cast<std::int16_t>(tree.GetMulti(call, q.Rcvd, band, vk::Mode::kCw, true));
      q.Bonus = static_cast<std::int16_t>(tree.GetBonus(call, q.Rcvd, band, vk::Mode::kCw, true));
      (void)tree.GetTxNr(call);
      (void)tree.CorrectRxNr(q.Rcvd);
      log.Append(q);
    }
  }
  return 0;
}
