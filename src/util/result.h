// The one error type the core hands to its callers: a code that says whether retrying can help,
// a message for the operator, and for file parsers the place of the fault.  Nothing in the core
// throws across a module boundary; the shell decides what the operator sees.
#pragma once

#include <string>
#include <utility>

namespace vk {

enum class ErrCode {
  kOk = 0,
  kBadInput,   // soft: the data is wrong (a mask, a number, a line of a file)
  kNotFound,   // soft: a file or entry does not exist
  kIo,         // hard: the system refused a read or write
};

struct Status {
  ErrCode code = ErrCode::kOk;
  std::string message;
  std::string file;  // for parsers: the file and line of the fault
  int line = 0;

  bool ok() const { return code == ErrCode::kOk; }
  explicit operator bool() const { return ok(); }
  static Status Ok() { return {}; }
  static Status Error(ErrCode c, std::string msg, std::string file = {}, int line = 0) {
    return Status{c, std::move(msg), std::move(file), line};
  }
};

}  // namespace vk
