#include "app/log_transfer.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "log/adif.h"
#include "reports/adif_export.h"
#include "reports/adif_import.h"
#include "util/atomic_file.h"
#include "util/bounded_file.h"
#include "util/datetime.h"
#include "util/strings.h"

namespace vk {

namespace {

std::string PathIn(const Station& station, const std::string& path) {
  return !path.empty() && path.front() == '/' ? path : station.PathOf(path);
}

// A full log of another program (65,535 QSOs with every field it keeps) is some 30 MB.
constexpr std::size_t kMaxImportBytes = 48 * kMiB;

TransferReport Refused(std::string why) {
  TransferReport r;
  r.status = Status::Error(ErrCode::kBadInput, why);
  r.summary = std::move(why);
  return r;
}

// The same file, also when it does not exist yet (the log before its first save).
bool SameFile(const std::string& a, const std::string& b) {
  std::error_code ec;
  if (std::filesystem::equivalent(a, b, ec)) return true;
  const auto ca = std::filesystem::weakly_canonical(a, ec);
  const auto cb = std::filesystem::weakly_canonical(b, ec);
  return !ec && ca == cb;
}

}  // namespace

std::string StandardExportName(std::string_view ownCall) {
  std::string name(ownCall.empty() ? std::string_view("log") : ownCall);
  for (char& c : name) {
    if (c == '/') c = '_';
  }
  return name + "-export.adi";
}

TransferReport ExportStationLog(const Station& station, const std::string& path) {
  const std::string target = PathIn(station, path);
  if (Trim(path).empty()) return Refused("No file name: nothing exported");
  if (SameFile(target, station.LogPath())) return Refused("That is the log file itself");
  const AdifExportSettings settings = ExportSettingsFor(station.Rules(), station.OwnCall());
  const DateTime now = UnpackDateTime(CurrentPacked(station.Time()));
  TransferReport r;
  r.status = ReplaceFileAtomically(target, StandardAdifText(station.Log(), settings, now, &r.taken));
  r.summary = r.status ? "Exported " + IntToStr(r.taken) + " QSOs to " + path
                       : "Not exported: " + r.status.message;
  return r;
}

TransferReport ImportIntoStation(Station& station, const std::string& path) {
  if (station.NoContest() || !station.ContestNotice().empty()) {
    return Refused("No contest loaded: nothing imported");
  }
  if (!station.LogNotice().empty()) {
    return Refused("The log file is not read whole: nothing imported");
  }
  std::string text;
  if (Trim(path).empty()) return Refused("Cannot read " + path + ": nothing imported");
  if (const Status s = ReadFileBounded(PathIn(station, path), kMaxImportBytes, text); !s) {
    return Refused(s.code == ErrCode::kBadInput ? s.message + ": nothing imported"
                                                : "Cannot read " + path + ": nothing imported");
  }
  AdifImportRules rules;
  rules.bands = station.Rules().Settings().bands;
  rules.modes = station.Rules().Settings().modes;
  rules.zones = ZoneFieldOfContest(station.Rules().Settings().cabrilloName);
  AdifImportResult found = ImportAdifText(text, rules, station.Log());
  ImportOutcome in = station.Book().Import(std::move(found.qsos));
  TransferReport r;
  r.refused = std::move(found.refused);
  r.refused.insert(r.refused.end(), in.refused.begin(), in.refused.end());
  r.taken = in.taken;
  r.status = in.saved;
  r.summary = "Imported " + IntToStr(r.taken) + " QSOs, " + IntToStr(static_cast<int>(r.refused.size())) +
              " records not taken";
  if (!r.status) r.summary += "; log not saved: " + r.status.message;
  return r;
}

}  // namespace vk
