// The check-partial database and the call-history file on any bytes, then lookups: reading
// and looking up must never crash, hang or keep unbounded memory.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "aids/call_history.h"
#include "aids/scp_database.h"
#include "aids/scp_lookup.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  vk::ScpDatabase db;
  db.LoadText(text);
  vk::CallHistory history;
  history.LoadText(text);
  vk::TLogCollection log;
  vk::ScpLookup lookup(db);
  const vk::ContactPoint at;
  const std::string head(text.substr(0, 12));
  for (std::string_view typed : {std::string_view("DL"), std::string_view("1A"),
                                 std::string_view("W1AW"), std::string_view(head)}) {
    (void)lookup.Find(typed, log, at);
    (void)history.Value(typed, history.FieldIndex("1"));
    (void)history.Value(typed, history.FieldIndex(head));
  }
  return 0;
}
