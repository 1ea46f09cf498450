#include "app/status_texts.h"

#include <vector>

#include "reports/adif_export.h"

namespace vk {

std::string HexDigits(std::uint64_t v, int digits) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out(static_cast<std::size_t>(digits > 0 ? digits : 0), '0');
  for (int i = digits - 1; i >= 0; --i) {
    out[static_cast<std::size_t>(i)] = kHex[v & 0xF];
    v >>= 4;
  }
  return out;
}

StatusTexts FormatStatusTexts(KeyCode lastKey, std::uint32_t peerCrc, std::uint32_t logCrc,
                              std::string_view ownCall, std::string_view contestDisplayName) {
  StatusTexts t;
  t.lastKey = "$" + HexDigits(lastKey, 4);
  t.checksums = HexDigits(peerCrc, 4) + ":" + HexDigits(logCrc, 4);
  t.banner = std::string(kProgramBanner);
  t.banner.append(ownCall);
  t.banner += " [";
  t.banner.append(contestDisplayName);
  t.banner += "]";
  return t;
}

std::string ClusterStateText(bool used, bool connected) {
  if (!used) return {};
  return connected ? "Cluster: connected" : "Cluster: not connected";
}

namespace {

std::vector<std::string> RigForms(std::string_view rig) {
  std::vector<std::string> forms{std::string(rig)};
  // "Rig: 14025.0": the entry window shows the frequency anyway.
  if (rig.size() > 5 && rig[5] >= '0' && rig[5] <= '9') forms.emplace_back("Rig: on");
  return forms;
}

std::vector<std::string> ClusterForms(std::string_view cluster) {
  if (cluster.empty()) return {std::string()};
  const bool down = cluster.find("not ") != std::string_view::npos;
  return {std::string(cluster), down ? "DX: not connected" : "DX: connected",
          down ? "DX: off" : "DX: on"};
}

}  // namespace

std::string LinkStatesText(std::string_view rig, std::string_view cluster, std::size_t room) {
  const std::vector<std::string> rigs = RigForms(rig);
  const std::vector<std::string> clusters = ClusterForms(cluster);
  std::string text;
  for (const std::string& c : clusters) {
    for (const std::string& r : rigs) {
      text = r.empty() || c.empty() ? r + c : r + " " + c;
      if (text.size() <= room) return text;
    }
  }
  return text.substr(0, room);
}

std::string SyncStateText(bool enabled, bool heard, bool repairing, bool inStep) {
  if (!enabled) return {};
  if (!heard) return "Net: waiting";
  if (inStep) return "Net: in step";
  return repairing ? "Net: repairing" : "Net: differs";
}

std::string FitBanner(std::string_view ownCall, std::string_view contestDisplayName,
                      std::size_t width) {
  const std::string tail = std::string(ownCall) + " [" + std::string(contestDisplayName) + "]";
  if (kProgramBanner.size() + tail.size() <= width) return std::string(kProgramBanner) + tail;
  if (tail.size() <= width) return tail;
  const std::size_t head = ownCall.size() + 2;  // call and " ["
  if (width <= head + 1) return tail.substr(0, width);
  return tail.substr(0, width - 1) + "]";
}

std::string OperatingStateText(Mode mode, int keyerWpm) {
  // The mode by its usual name; the keyer's speed only where the keyer sends.
  std::string text = AdifModeName(mode);
  if (mode == Mode::kCw && keyerWpm > 0) text += " " + std::to_string(keyerWpm) + " WPM";
  return text;
}

std::string LogFileStateText(bool saved) {
  return saved ? "Log: saved" : "Log: NOT SAVED";
}

std::string StatusRowText(const StatusTexts& texts, bool diagnostics, std::size_t width) {
  std::string right;
  const auto add = [&right](const std::string& part) {
    if (part.empty()) return;
    if (!right.empty()) right += "  ";
    right += part;
  };
  add(texts.sync);
  add(texts.operating);
  add(texts.logFile);
  if (diagnostics) {
    add(texts.checksums);
    add(texts.lastKey);
  }
  if (right.size() >= width) return right.substr(right.size() - width);
  // Two blanks between the links and the rest; the links take what is left.
  const std::size_t room = width - right.size() >= 2 ? width - right.size() - 2 : 0;
  std::string left = LinkStatesText(texts.rig, texts.cluster, room);
  left.resize(width - right.size(), ' ');
  return left + right;
}

}  // namespace vk
