// What a cluster node sends, on any bytes: the telnet reader splits it into lines (answering
// option requests), every line goes through the spot reader into a small spot table.  Nothing
// may crash or hang, lines stay within their limit, and the table within its capacity.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "cluster/spot.h"
#include "cluster/spot_table.h"
#include "cluster/telnet_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  vk::TelnetReader reader;
  vk::SpotTable table(16, 60);
  std::vector<std::string> lines;
  std::string reply;
  // Fed in two pieces, so sequences split across reads are exercised as well.
  reader.Feed(bytes.substr(0, size / 2), lines, reply);
  reader.Feed(bytes.substr(size / 2), lines, reply);
  lines.emplace_back(bytes);  // the whole input as one line too
  std::int64_t seen = 0;
  for (const std::string& line : lines) {
    vk::Spot s;
    if (!vk::ParseSpotLine(line, s)) continue;
    if (!vk::LooksLikeCall(s.call) || s.freq <= 0) std::abort();
    s.seen = seen++ / 4;
    table.Add(s);
    if (table.Size() > table.Capacity()) std::abort();
  }
  for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
    if (lines[i].size() > vk::kMaxClusterLine) std::abort();
  }
  if (reader.Partial().size() > vk::kMaxClusterLine) std::abort();
  (void)table.OnBand(4, seen);
  return 0;
}
