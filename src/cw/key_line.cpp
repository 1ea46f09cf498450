#include "cw/key_line.h"

namespace vk {

KeyLine::~KeyLine() = default;

Status NullKeyLine::Open(std::string_view portName) {
  return Status::Error(ErrCode::kNotFound, "no keying port: " + std::string(portName));
}

Status NullKeyLine::SetDtr(bool) {
  return Status::Error(ErrCode::kBadInput, "no keying port");
}

Status NullKeyLine::SetRts(bool) {
  return Status::Error(ErrCode::kBadInput, "no keying port");
}

KeyerPortError PortErrorOf(const Status& openResult) {
  if (openResult.ok()) return KeyerPortError::kNone;
  return openResult.code == ErrCode::kIo ? KeyerPortError::kPortInit
                                         : KeyerPortError::kWrongPortName;
}

bool IsNullPortName(std::string_view portName) {
  if (portName.size() != 4) return false;
  const std::string_view null = "null";
  for (std::size_t i = 0; i < 4; ++i) {
    char c = portName[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != null[i]) return false;
  }
  return true;
}

std::string JoinPortNames(const std::vector<std::string>& names) {
  std::string out;
  for (const std::string& n : names) {
    if (!out.empty()) out += ',';
    out += n;
  }
  return out;
}

}  // namespace vk
