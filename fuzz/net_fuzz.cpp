// Datagrams from the network on any bytes: parsing and handling them must never crash, a QSO
// line that is accepted reads back the same from the line built for it, and the log keeps a
// checksum that matches its records.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "app/logbook.h"
#include "log/journal.h"
#include "net/net_handler.h"
#include "net/net_message.h"
#include "rules/tree_rules.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  vk::Journal journal("/dev/null");  // the journal lines are built and written, unseen
  vk::TTreeRules rules(&journal);
  const vk::SystemTimeSource time;
  // The log's file goes nowhere: a directory that cannot exist makes every save fail, which
  // the logbook journals and survives.
  vk::Logbook book(rules, "/nonexistent-vorkan-fuzz", time, &journal);
  const vk::TLogCollection& log = book.Log();
  vk::NetExchange exchange(&journal);
  vk::NetHandler handler{book, exchange};
  std::string_view rest(reinterpret_cast<const char*>(data), size);
  // One datagram per line.
  while (!rest.empty()) {
    const std::size_t nl = rest.find('\n');
    const std::string_view datagram = rest.substr(0, nl);
    rest = nl == std::string_view::npos ? std::string_view() : rest.substr(nl + 1);
    if (const auto q = vk::ParseQsoLine(datagram)) {
      const auto again = vk::ParseQsoLine(vk::BuildQsoLine(*q));
      if (vk::CanTravel(*q) && (!again || !(*again == *q))) std::abort();
    }
    (void)vk::ParseNetMessage(datagram);
    (void)handler.HandleMessage(datagram);
  }
  book.SettleRemote();
  vk::TLogCollection copy;
  for (const vk::QsoRecord& q : log) copy.Append(q);
  if (copy.LogCrc() != log.LogCrc()) std::abort();
  return 0;
}
