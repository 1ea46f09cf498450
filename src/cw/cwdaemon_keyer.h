// Keying through cwdaemon, over its UDP protocol: a text datagram is keyed as it stands,
// "<ESC>2<wpm>" sets the speed, "<ESC>4" aborts, and "<ESC>h<token>" before a text asks
// cwdaemon to answer "h<token>" once that text has been keyed, which tells the CW window when
// the transmission has really ended.
#pragma once

#include <string>

#include "cw/text_keyer.h"

namespace vk {

inline constexpr std::string_view kCwdaemonDefaultAddress = "127.0.0.1:6789";

class CwdaemonKeyer final : public TextKeyer {
 public:
  // "host:port", "host" (port 6789) or ":port" (this machine).
  explicit CwdaemonKeyer(std::string address);
  ~CwdaemonKeyer() override;
  CwdaemonKeyer(const CwdaemonKeyer&) = delete;
  CwdaemonKeyer& operator=(const CwdaemonKeyer&) = delete;

  Status Open() override;
  bool IsOpen() const override { return fd_ >= 0; }
  void Close() override;
  Status Send(std::string_view text, int wpm) override;
  bool WaitSent(std::chrono::milliseconds limit, const std::function<bool()>& cancelled) override;
  void Abort() override;
  std::string Name() const override { return "cwdaemon " + address_; }

 private:
  Status Datagram(std::string_view bytes);

  std::string address_;
  int fd_ = -1;  // a UDP socket connected to cwdaemon
  int wpm_ = 0;  // the speed cwdaemon was last given
  unsigned serial_ = 0;
  std::string awaited_;  // the reply that ends the current text
};

}  // namespace vk
