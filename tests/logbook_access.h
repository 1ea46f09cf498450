// Tests start from logs of their own making (given Guids, stamps and stored figures), as a log
// file would give them, without going through a change of the logbook.
#pragma once

#include "app/logbook.h"
#include "app/station.h"

namespace vk {

struct LogbookTestAccess {
  static TLogCollection& Log(Logbook& book) { return book.log_; }
};

namespace test {
inline TLogCollection& MutableLog(Station& station) {
  return LogbookTestAccess::Log(station.Book());
}
}  // namespace test

}  // namespace vk
