// The check-partial database and its lookups with the log: reading MASTER.SCP-shaped text,
// partial matches through the pair index against a plain scan, the N+1 list, and the marks of
// calls already in the log.
#include "aids/scp_database.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "aids/scp_lookup.h"

namespace vk {
namespace {

std::vector<std::string> Strings(const std::vector<std::string_view>& v) {
  return {v.begin(), v.end()};
}

TEST(ScpDatabase, ReadsCallsSkipsCommentsAndCountsMalformedLines) {
  ScpDatabase db;
  db.LoadText("# Release 2023\r\nDL1ABC\r\ndl2xyz \n\nNOT A CALL\nK1\nW1AW\r\nDL1ABC\n" +
              std::string(200, 'X') + "\n\xff\xfe\n");
  EXPECT_EQ(db.Size(), 3u);             // DL1ABC once, DL2XYZ upper-cased, W1AW
  EXPECT_EQ(db.Stats().malformed, 4u);  // the spaced line, K1, the overlong line, the bytes
  EXPECT_TRUE(db.Contains("DL2XYZ"));
  EXPECT_FALSE(db.Contains("DL2XY"));
}

TEST(ScpDatabase, PartialMatchesEqualAPlainScan) {
  ScpDatabase db;
  db.LoadText("DL1ABC\nDL1AB\nDL11DL\nAB1DL\nOH2DL\nDK1ABC\nW1AW/P\n");
  for (std::string frag : {"DL", "L1", "1A", "DL1", "1DL", "/P", "ABC", "XX", "D", "DL1ABC"}) {
    std::vector<std::string_view> got;
    const std::size_t total = db.Partial(frag, 100, got);
    std::vector<std::string> want;
    for (std::size_t i = 0; frag.size() >= 2 && i < db.Size(); ++i) {
      if (db.CallAt(i).find(frag) != std::string_view::npos) want.emplace_back(db.CallAt(i));
    }
    EXPECT_EQ(Strings(got), want) << frag;
    EXPECT_EQ(total, want.size()) << frag;
  }
  std::vector<std::string_view> some;
  EXPECT_EQ(db.Partial("DL", 2, some), 5u);  // the total, with only the limit listed
  EXPECT_EQ(some.size(), 2u);
}

TEST(ScpDatabase, NearMissesDifferByOneChangedAddedOrDroppedCharacter) {
  ScpDatabase db;
  db.LoadText("DL1ABC\nDL1ABD\nDL1AB\nDL1ABCD\nDL1BAC\nDL2ABC\nDL1ABC/P\n");
  std::vector<std::string_view> near;
  db.NearMisses("DL1ABC", 10, near);
  EXPECT_EQ(Strings(near), (std::vector<std::string>{"DL1AB", "DL1ABCD", "DL1ABD", "DL2ABC"}));
  EXPECT_TRUE(OneEditApart("DL1ABC", "DL1AC"));
  EXPECT_TRUE(OneEditApart("K1ABC", "K1ABCD"));
  EXPECT_FALSE(OneEditApart("DL1ABC", "DL1BAC"));  // a swap is two changes
  EXPECT_FALSE(OneEditApart("DL1ABC", "DL1ABC"));
}

QsoRecord Qso(const std::string& call, Freq f, Mode m, std::uint16_t minute) {
  QsoRecord q;
  q.Call = call;
  q.Freq = f;
  q.Mode = m;
  q.Stamp = {2024, 3, 5, 9, minute, 0};
  return q;
}

TEST(ScpLookup, MergesTheLogAndMarksDupesAndCallsWorkedElsewhere) {
  ScpDatabase db;
  db.LoadText("DL1ABC\nDL1ABD\nDL1AX\nW1AW\n");
  TLogCollection log;
  log.Append(Qso("DL1ABC", 140250, Mode::kCw, 1));     // 20 m CW
  log.Append(Qso("DL1ABD", 70250, Mode::kCw, 2));      // 40 m CW
  log.Append(Qso("DL1AZZ", 140250, Mode::kPhone, 3));  // not in the database
  RepeatSettings rep;
  ApplyRepeatValue(rep, "bandmode");
  ScpLookup lookup(db);
  const ContactPoint at{&rep, 140300, Mode::kCw, {2024, 3, 5, 9, 10, 0}};
  const ScpAnswer a = lookup.Find("DL1A", log, at);
  EXPECT_EQ(a.partials, (std::vector<MarkedCall>{{"DL1ABC", CallMark::kDupe},
                                                 {"DL1ABD", CallMark::kWorked},
                                                 {"DL1AX", CallMark::kNew},
                                                 {"DL1AZZ", CallMark::kWorked}}));
  EXPECT_EQ(a.partialTotal, 4u);
  // A bust of a logged call: the right one is listed under N+1.
  const ScpAnswer bust = lookup.Find("DL1AZX", log, at);
  ASSERT_EQ(bust.nearMisses.size(), 2u);
  EXPECT_EQ(bust.nearMisses[0].call, "DL1AX");
  EXPECT_EQ(bust.nearMisses[1], (MarkedCall{"DL1AZZ", CallMark::kWorked}));
  EXPECT_TRUE(lookup.Find("D", log, at).partials.empty());
}

// The lookup keeps its index of the log from one keystroke to the next; after every kind of
// change it must answer as a lookup that reads the log afresh.
TEST(ScpLookup, AnswersAfterEachChangeOfTheLogAsAFreshLookup) {
  ScpDatabase db;
  db.LoadText("DL1ABC\nDL1ABD\nDL1AX\nW1AW\nOK1AB\n");
  RepeatSettings rep;
  ApplyRepeatValue(rep, "bandmode");
  const ContactPoint at{&rep, 140300, Mode::kCw, {2024, 3, 5, 9, 30, 0}};
  TLogCollection log;
  ScpLookup kept(db);
  constexpr Mode kCw = Mode::kCw;
  using Change = void (*)(TLogCollection&);
  const std::vector<std::pair<const char*, Change>> changes = {
      {"append a new call", [](TLogCollection& l) { l.Append(Qso("DL1ABC", 140250, kCw, 1)); }},
      {"append another", [](TLogCollection& l) { l.Append(Qso("UA9AB", 70250, kCw, 2)); }},
      {"append a call again", [](TLogCollection& l) { l.Append(Qso("DL1ABC", 70250, kCw, 3)); }},
      {"mark the first a dupe", [](TLogCollection& l) { l.SetFigures(0, 0, 0, 0, true); }},
      {"change a call", [](TLogCollection& l) { l.SetCall(1, "OK1ABZ"); }},
      {"replace (an edit)", [](TLogCollection& l) { l.Replace(1, Qso("W1AW", 140250, kCw, 2)); }},
      {"insert", [](TLogCollection& l) { l.InsertAt(0, Qso("DL1AZZ", 140250, kCw, 0)); }},
      {"delete", [](TLogCollection& l) { l.Delete(1); }},
      {"clear and refill", [](TLogCollection& l) {
         l.Clear();
         l.Append(Qso("W1AW", 140250, kCw, 5));
       }},
  };
  for (const auto& [what, change] : changes) {
    change(log);
    for (const char* typed : {"DL", "1A", "AB", "DL1ABC", "DL1AZX", "OK1AB", "W1AW"}) {
      ScpLookup fresh(db);
      const ScpAnswer want = fresh.Find(typed, log, at);
      const ScpAnswer got = kept.Find(typed, log, at);
      EXPECT_EQ(got.partials, want.partials) << what << ", " << typed;
      EXPECT_EQ(got.partialTotal, want.partialTotal) << what << ", " << typed;
      EXPECT_EQ(got.nearMisses, want.nearMisses) << what << ", " << typed;
      // The marks against the plain check over the whole log.
      for (const MarkedCall& m : got.partials) {
        const bool dupe = CheckRepeat(log, rep, m.call, at.freq, at.mode, at.when).position != 0;
        EXPECT_EQ(m.mark == CallMark::kDupe, dupe) << what << ", " << m.call;
      }
    }
  }
}

}  // namespace
}  // namespace vk
