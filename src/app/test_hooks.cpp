#include "app/test_hooks.h"

#include <string_view>

#include "app/startup.h"
#include "util/strings.h"

namespace vk {

TestHooks ReadTestHooks(EnvironmentLookup lookup) {
  TestHooks h;
  if (lookup == nullptr) return h;
  h.debugBroadcast = ParseDebugNumber(lookup("VORKAN_DEBUG_BROADCAST"));
  h.keyTestWindows = ParseDebugNumber(lookup("VORKAN_KEY_TEST_WINDOWS")) == 1;
  h.diagnostics = ParseDebugNumber(lookup("VORKAN_DIAGNOSTICS")) == 1;
  if (const char* v = lookup("VORKAN_CLUSTER_RETRY_MS"); v != nullptr) {
    const int ms = StrToIntDef0(v);
    if (ms > 0) h.clusterRetry = std::chrono::milliseconds(ms);
  }
  const char* fake = lookup("VORKAN_KEYER_FAKE_LINE");
  h.keyerWithoutHardware = fake != nullptr && std::string_view(fake) == "1";
  return h;
}

}  // namespace vk
