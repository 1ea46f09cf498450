// The journal of the net tests goes to a scratch file (journal_to_temp.h).
#include "journal_to_temp.h"

namespace {
const auto* const kJournalEnv =
    ::testing::AddGlobalTestEnvironment(new vk::test::JournalToTemp("net_tests"));
}  // namespace
