#include "log/log_order.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "log/adif.h"

namespace vk {
namespace {

QsoRecord Q(std::int32_t guid, std::uint16_t minute, std::uint16_t second = 0) {
  QsoRecord q;
  q.Guid = guid;
  q.Stamp = {2026, 11, 28, 20, minute, second};
  q.Freq = 140250;
  q.Mode = Mode::kCw;
  q.Call = "DL" + std::to_string(guid);
  return q;
}

std::vector<std::int32_t> Guids(const TLogCollection& log) {
  std::vector<std::int32_t> out;
  for (const QsoRecord& q : log) out.push_back(q.Guid);
  return out;
}

// Whatever order QSOs arrive in, placing each by the order gives one log.
TEST(LogOrder, ArrivalOrderDoesNotMatter) {
  const std::vector<QsoRecord> qsos = {Q(30, 28, 5), Q(10, 28, 5), Q(20, 28, 4), Q(5, 29),
                                       Q(40, 27, 59)};
  const std::vector<std::vector<int>> arrivals = {{0, 1, 2, 3, 4}, {4, 3, 2, 1, 0}, {2, 0, 4, 1, 3}};
  for (const auto& arrival : arrivals) {
    TLogCollection log;
    for (int i : arrival) log.InsertAt(OrderedPlace(log, qsos[i]), qsos[i]);
    EXPECT_EQ(Guids(log), (std::vector<std::int32_t>{40, 20, 10, 30, 5}));
  }
}

// The operator's insert keeps its meaning: a QSO stamped out of turn goes where it was put,
// at every station that places it by the key it carries.
TEST(LogOrder, InsertByHandGetsAPlaceBetweenItsNeighbours) {
  struct Case {
    int pos;
    QsoRecord q;
    bool explicitPlace;
  };
  const std::vector<Case> cases = {
      {1, Q(99, 28, 30), false},  // its stamp already puts it there
      {1, Q(99, 40), true},       // stamped later than the QSOs after it
      {0, Q(99, 45), true},       // before the first
      {3, Q(99, 1), true},        // at the end, stamped early
      {2, Q(99, 45), true},       // between two QSOs of one second: their Guids decide
  };
  for (const Case& c : cases) {
    TLogCollection log;
    for (const QsoRecord& q : {Q(1, 28), Q(2, 29), Q(300, 29)}) log.Append(q);
    QsoRecord q = c.q;
    q.Place = PlaceBefore(log, c.pos, q);
    EXPECT_EQ(q.Place != 0, c.explicitPlace) << c.pos;
    EXPECT_EQ(OrderedPlace(log, q), c.pos) << c.pos;
    log.InsertAt(c.pos, q);
    EXPECT_TRUE(InOrder(log));
  }
}

// The file keeps what the order and the group need: seconds, edit version, place.
TEST(LogOrder, SecondsVersionAndPlaceSurviveTheFile) {
  QsoRecord q = Q(7, 28, 41);
  q.Mark = NextEditVersion(NextEditVersion(1, 3), 5);
  q.Place = 1764361234567;
  const std::string line = AdifRecordLine(q);
  EXPECT_NE(line.find("<TIME_ON:6>202841"), std::string::npos);
  EXPECT_NE(line.find("<APP_VORKAN_EDIT:3>261"), std::string::npos);  // count 2, station 5
  EXPECT_NE(line.find("<APP_VORKAN_PLACE:13>1764361234567"), std::string::npos);
  EXPECT_EQ(AdifRecordLine(Q(7, 28)).find("APP_"), std::string::npos);  // never edited
}

TEST(LogOrder, SortingPutsAnOldFileInOrderOnce) {
  TLogCollection log;
  for (const QsoRecord& q : {Q(5, 29), Q(1, 28), Q(9, 28)}) log.Append(q);
  EXPECT_TRUE(SortLog(log));
  EXPECT_EQ(Guids(log), (std::vector<std::int32_t>{1, 9, 5}));
  EXPECT_FALSE(SortLog(log));
}

}  // namespace
}  // namespace vk
