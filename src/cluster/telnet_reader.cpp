#include "cluster/telnet_reader.h"

#include "cluster/spot.h"

namespace vk {

namespace {

constexpr unsigned char kIac = 255;
constexpr unsigned char kDont = 254;
constexpr unsigned char kDo = 253;
constexpr unsigned char kWont = 252;
constexpr unsigned char kWill = 251;
constexpr unsigned char kSb = 250;
constexpr unsigned char kSe = 240;

}  // namespace

void TelnetReader::Feed(std::string_view bytes, std::vector<std::string>& lines,
                        std::string& reply) {
  for (const char ch : bytes) {
    const auto c = static_cast<unsigned char>(ch);
    switch (state_) {
      case State::kData:
        if (c == kIac) {
          state_ = State::kIac;
        } else {
          Data(c, lines);
        }
        break;
      case State::kIac:
        if (c == kIac) {  // an escaped 0xFF data byte
          Data(c, lines);
          state_ = State::kData;
        } else if (c >= kWill) {
          command_ = c;
          state_ = State::kOption;
        } else {
          state_ = c == kSb ? State::kSub : State::kData;
        }
        break;
      case State::kOption:
        Option(c, reply);
        state_ = State::kData;
        break;
      case State::kSub:
        if (c == kIac) state_ = State::kSubIac;
        break;
      case State::kSubIac:
        state_ = c == kSe ? State::kData : State::kSub;
        break;
    }
  }
}

void TelnetReader::Option(unsigned char option, std::string& reply) {
  // Whatever the node asks for or offers, the answer is no: the client wants plain lines.
  // Refusals of refusals would never end, so DONT and WONT get no answer.
  if (command_ != kDo && command_ != kWill) return;
  if (refused_[option]) return;
  refused_[option] = true;
  reply.push_back(static_cast<char>(kIac));
  reply.push_back(static_cast<char>(command_ == kDo ? kWont : kDont));
  reply.push_back(static_cast<char>(option));
}

void TelnetReader::Data(unsigned char c, std::vector<std::string>& lines) {
  if (c == '\n') {
    EndLine(lines);
    return;
  }
  if (c == '\r' || c == 0) return;
  if (c == '\t') c = ' ';
  // The bell some nodes ring with a spot is not binary.
  if (c == '\a') return;
  if (c < 0x20 || c > 0x7E) binary_ = true;
  if (binary_) return;
  if (partial_.size() >= kMaxClusterLine) {
    return;
  }
  partial_.push_back(static_cast<char>(c));
}

void TelnetReader::EndLine(std::vector<std::string>& lines) {
  if (binary_) {
    ++skipped_;
  } else {
    lines.push_back(partial_);
  }
  ClearPartial();
}

void TelnetReader::ClearPartial() {
  partial_.clear();
  binary_ = false;
}

}  // namespace vk
