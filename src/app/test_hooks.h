// The environment variables through which tests steer a running program.  main reads them
// once and hands the result to the session; no other part of the program looks at the
// environment for them.
#pragma once

#include <chrono>

#include "app/commands.h"

namespace vk {

struct TestHooks {
  // VORKAN_DEBUG_BROADCAST (hexadecimal): a broadcast delivered once the desktop is up, so the
  // error box and other broadcast-opened dialogs can be driven from outside.
  CommandId debugBroadcast = 0;
  // VORKAN_KEY_TEST_WINDOWS=1: two plain windows with an input line each, on which the routing
  // of keys to windows can be watched.
  bool keyTestWindows = false;
  // VORKAN_DIAGNOSTICS=1: the status line shows the last key's code and the log checksums.
  bool diagnostics = false;
  // VORKAN_CLUSTER_RETRY_MS: a shorter wait between attempts to reach the cluster node; zero
  // keeps the usual backoff.
  std::chrono::milliseconds clusterRetry{0};
  // VORKAN_KEYER_FAKE_LINE=1: the keyer keys a line that only records its edges, no hardware.
  bool keyerWithoutHardware = false;
};

// The hooks from an environment lookup (std::getenv in the program, a table in the tests).
using EnvironmentLookup = const char* (*)(const char* name);
TestHooks ReadTestHooks(EnvironmentLookup lookup);

}  // namespace vk
