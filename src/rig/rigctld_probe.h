// Whether a rigctld answers at all.  Hamlib connects to rigctld with a blocking connect, and
// a host that drops the connection request (a firewall, a computer that is off, a full
// listen queue) holds that connect for the system's whole SYN timeout, about two minutes.
// The poll thread asks here first, within a short limit, so a changed rig setting or the
// program's exit never waits for it.
#pragma once

#include <chrono>
#include <string>
#include <string_view>

namespace vk {

// "host:port", "[v6 address]:port" or a bare host (rigctld's port 4532); empty is
// "localhost:4532" as for Hamlib.  False for text that names no port.
bool SplitRigctldAddress(std::string_view device, std::string& host, std::string& port);

// True when a TCP connection to the device's rigctld is accepted within `limit`; the
// connection is closed again at once.
bool RigctldAnswers(std::string_view device, std::chrono::milliseconds limit);

}  // namespace vk
