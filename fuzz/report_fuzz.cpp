// The report writers on any log: a log read from any bytes, and the own call taken from them,
// give Cabrillo and Ermak texts without a crash, one QSO line per QSO; the same bytes read as
// another program's ADIF file, and the log written as standard ADIF, crash nothing either.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "log/adif.h"
#include "log/journal.h"
#include "reports/adif_export.h"
#include "reports/adif_import.h"
#include "reports/cabrillo_report.h"
#include "reports/ermak_report.h"
#include "reports/qso_line.h"
#include "rules/tree_rules.h"

namespace {

struct NoSink final : vk::AdifLoadSink {
  void OnRecordLoaded(const vk::QsoRecord&) override {}
};

std::size_t Count(std::string_view text, std::string_view what) {
  std::size_t n = 0;
  for (std::size_t at = text.find(what); at != std::string_view::npos;
       at = text.find(what, at + 1)) {
    ++n;
  }
  return n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  vk::Journal journal("/dev/null");  // the journal lines are built and written, unseen
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::string_view ownCall = text.substr(0, text.find('\n')).substr(0, 20);
  NoSink sink;
  vk::TLogCollection log;
  vk::LoadAdifText(text, log, sink, nullptr, &journal);
  vk::TTreeRules rules;
  const std::string cabrillo =
      vk::CabrilloReportText(vk::DefaultCabrilloReport(rules, ownCall), log);
  if (Count(cabrillo, "\nQSO: ") != static_cast<std::size_t>(log.Count())) std::abort();
  for (const vk::QsoRecord& q : log) {
    (void)vk::CabrilloQsoLine(q, ownCall);
    (void)vk::ErmakQsoLine(q, ownCall);
  }
  vk::AdifImportRules all;
  all.bands.fill(true);
  all.zones = vk::ZoneField::kCq;
  (void)vk::ImportAdifText(text, all, log);
  vk::AdifExportSettings settings;
  settings.stationCall = std::string(ownCall);
  (void)vk::StandardAdifText(log, settings, {});
  return 0;
}
