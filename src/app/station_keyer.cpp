#include "app/station_keyer.h"

#include <algorithm>

#include "cw/cwdaemon_keyer.h"
#include "cw/fake_key_line.h"
#include "cw/keyer_choice.h"
#include "cw/posix_key_line.h"
#include "rig/rig_keyer.h"

namespace vk {

namespace {

// The fake line of a program run without keying hardware, with the clock that stamps its line
// changes.  Nothing sleeps on that clock; it lives exactly as long as the line it stamps.
class StampedFakeLine final : public KeyLine {
 public:
  Status Open(std::string_view portName) override { return line_.Open(portName); }
  bool IsOpen() const override { return line_.IsOpen(); }
  Status SetDtr(bool keyDown) override { return line_.SetDtr(keyDown); }
  Status SetRts(bool pttOn) override { return line_.SetRts(pttOn); }
  void Close() override { line_.Close(); }
  std::vector<std::string> ListPorts() const override { return line_.ListPorts(); }

 private:
  FakeKeyerClock stamps_;
  FakeKeyLine line_{stamps_};
};

}  // namespace

std::unique_ptr<Keyer> MakeProgramKeyer(std::string& programPort, const std::string& configPath,
                                        bool withoutHardware, Journal* journal) {
  if (!withoutHardware) return CreateKeyer(programPort, configPath, journal);
  const KeyerSettings settings = ReadKeyerSettings(programPort, configPath);
  return std::make_unique<Keyer>(settings, std::make_unique<StampedFakeLine>(), nullptr, journal);
}

std::vector<std::string> ListKeyerPorts(bool withoutHardware) {
  if (!withoutHardware) return ListSerialPorts();
  return StampedFakeLine().ListPorts();
}

std::vector<std::string> CwSetupChoices(std::vector<std::string> systemPorts) {
  std::reverse(systemPorts.begin(), systemPorts.end());
  systemPorts.emplace_back("Null");
  return systemPorts;
}

std::unique_ptr<Keyer> MakeStationKeyer(Station& station, std::string& programPort,
                                        bool withoutHardware) {
  const std::string path = station.PathOf(kConfigFileName);
  const KeyerChoice choice = ReadKeyerChoice(path);
  switch (choice.kind) {
    case KeyerKind::kCwdaemon:
      return std::make_unique<Keyer>(ReadKeyerSettings(programPort, path),
                                     std::make_unique<CwdaemonKeyer>(choice.cwdaemon), nullptr,
                                     station.journal());
    case KeyerKind::kRig:
      return std::make_unique<Keyer>(ReadKeyerSettings(programPort, path),
                                     std::make_unique<RigKeyer>(station.Rig()), nullptr,
                                     station.journal());
    case KeyerKind::kSerial:
      break;
  }
  return MakeProgramKeyer(programPort, path, withoutHardware, station.journal());
}

std::vector<std::string> KeyerChoices(std::vector<std::string> portChoices) {
  portChoices.emplace_back(kCwdaemonChoice);
  portChoices.emplace_back(kRigKeyerChoice);
  return portChoices;
}

std::string CurrentKeyerEntry(Station& station) {
  switch (ReadKeyerChoice(station.PathOf(kConfigFileName)).kind) {
    case KeyerKind::kCwdaemon:
      return std::string(kCwdaemonChoice);
    case KeyerKind::kRig:
      return std::string(kRigKeyerChoice);
    case KeyerKind::kSerial:
      break;
  }
  const std::string& port = station.Settings().main.port;
  return port.empty() || IsNullPortName(port) ? std::string("Null") : port;
}

void ApplyKeyerChoice(Station& station, const std::string& choice, const std::string& cwdaemon) {
  const std::string path = station.PathOf(kConfigFileName);
  KeyerChoice c = ReadKeyerChoice(path);
  if (!cwdaemon.empty()) c.cwdaemon = cwdaemon;
  if (choice == kCwdaemonChoice) {
    c.kind = KeyerKind::kCwdaemon;
  } else if (choice == kRigKeyerChoice) {
    c.kind = KeyerKind::kRig;
  } else {
    c.kind = KeyerKind::kSerial;
    station.Settings().main.port = choice;
    (void)SaveKeyerPort(choice, path, station.journal());
  }
  (void)WriteKeyerChoice(c, path);
}

}  // namespace vk
