// A file holding one Guid twice: every later copy gets a Guid of its own at load, the same at
// every station that loads the file, and QSOs minted with a station part never meet another's.
#include "log/guid_repair.h"

#include <gtest/gtest.h>

#include <set>

namespace vk {
namespace {

QsoRecord Q(std::int32_t guid, const char* call) {
  QsoRecord q;
  q.Guid = guid;
  q.Call = call;
  q.Stamp = {2024, 3, 5, 9, 7, 0};
  return q;
}

TEST(GuidRepair, LaterCopiesGetTheSameNewGuidsEverywhere) {
  TLogCollection a, b;
  for (TLogCollection* log : {&a, &b}) {
    for (const auto& q :
         {Q(7, "DL1AAA"), Q(7, "K1AR"), Q(0, "JA1BBB"), Q(7, "K1AR"), Q(8, "G4C")}) {
      log->Append(q);
    }
    EXPECT_EQ(RepairDuplicateGuids(*log), 3);
  }
  std::set<std::int32_t> guids;
  for (int i = 0; i < a.Count(); ++i) {
    guids.insert(a.GetGuid(i));
    EXPECT_EQ(a.GetGuid(i), b.GetGuid(i));
  }
  EXPECT_EQ(guids.size(), 5u);
  EXPECT_EQ(a.GetGuid(0), 7);  // the first copy keeps its Guid
  EXPECT_EQ(a.GetGuid(1) >> 24, kRepairStationPart);
  EXPECT_EQ(RepairDuplicateGuids(a), 0);  // nothing left to repair
}

TEST(GuidRepair, TheStationPartKeepsStationsApart) {
  QsoIdCounter ids;
  ids.Set(0x12345);
  ids.SetStationPart(3);
  EXPECT_EQ(ids.Current(), 3 << 24 | 0x12345);
  EXPECT_EQ(ids.Raise(), 3 << 24 | 0x12346);
  EXPECT_EQ(ids.RaiseRaw(), 0x12347);      // the shell's pass count stays bare
  ids.SetStationPart(kRepairStationPart);  // kept for repairs: not a station's
  EXPECT_EQ(ids.Current(), 0x12347);
}

}  // namespace
}  // namespace vk
