// The journal of the rig tests goes to a scratch file (journal_to_temp.h).
#include "journal_to_temp.h"

namespace {
const auto* const kJournalEnv =
    ::testing::AddGlobalTestEnvironment(new vk::test::JournalToTemp("rig_tests"));
}  // namespace
