#include "reports/report_file.h"

#include "log/journal.h"
#include "util/atomic_file.h"
#include "util/strings.h"

namespace vk {

std::string ReportFileName(std::string_view call) {
  std::string name = Trim(call);
  if (name.empty()) return name;
  for (char& c : name) {
    if (c == '/') c = '-';
  }
  return name + ".cbr";
}

std::string ReportPath(const std::string& dir, std::string_view call) {
  std::string name = ReportFileName(call);
  if (name.empty()) return name;
  return dir.empty() ? name : AddPathDelimiter(dir) + name;
}

Status WriteReportFile(const std::string& dir, std::string_view call, std::string_view text,
                       Journal* journal) {
  const std::string path = ReportPath(dir, call);
  if (path.empty()) {
    return Status::Error(ErrCode::kBadInput, "No call sign: the report is named after it");
  }
  Status st = ReplaceFileAtomically(path, text);
  if (!st) {
    st.message = "Report not written: " + st.message;
    JournalAppend(journal, st.message);
  }
  return st;
}

}  // namespace vk
