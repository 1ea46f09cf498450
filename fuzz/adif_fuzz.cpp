// The log file reader on any bytes: it must never crash or hang, and whatever it reads must
// come back unchanged through the writer and the reader again (what the next save and the
// next start do to it).
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "log/adif.h"
#include "log/journal.h"

namespace {

struct NoSink final : vk::AdifLoadSink {
  void OnRecordLoaded(const vk::QsoRecord&) override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  vk::Journal journal("/dev/null");  // the journal lines are built and written, unseen
  NoSink sink;
  vk::TLogCollection log;
  vk::LoadAdifText(std::string_view(reinterpret_cast<const char*>(data), size), log, sink, nullptr,
                   &journal);
  const std::string written = vk::BuildAdifLog(log);
  vk::TLogCollection again;
  vk::AdifLoadStats stats;
  vk::LoadAdifText(written, again, sink, &stats);
  if (again.Count() != log.Count() || !stats.Whole()) std::abort();
  for (int i = 0; i < log.Count(); ++i) {
    if (!(*again.At(i) == *log.At(i))) std::abort();
  }
  if (vk::BuildAdifLog(again) != written) std::abort();
  return 0;
}
