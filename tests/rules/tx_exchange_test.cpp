// The exchange side of the rule tree: the exchange to send, the exchange expected from a
// station, the championship procedure, the received-exchange corrections and the prefill.
#include "rules_fixture.h"
#include "util/bands.h"

namespace vk::test {
namespace {

using TxExchange = RulesTest;

TEST(TxJoin, ItemsAreSeparatedByOneSpaceExceptAfterSlash) {
  EXPECT_EQ(JoinTx(" ", "599"), "599");
  EXPECT_EQ(JoinTx("599 ", "001"), "599 001");
  EXPECT_EQ(JoinTx("599/ ", "16"), "599/16");
  EXPECT_EQ(JoinTx("/ ", "16"), "/16");
  EXPECT_EQ(JoinTx("", "16"), "16");
}

TEST(TxJoin, SerialKeepsThreeDigitsAndGrows) {
  EXPECT_EQ(Serial3(1), "001");
  EXPECT_EQ(Serial3(12), "012");
  EXPECT_EQ(Serial3(123), "123");
  EXPECT_EQ(Serial3(999), "999");
  EXPECT_EQ(Serial3(1000), "1000");  // never wraps to 000
  EXPECT_EQ(Serial3(1234), "1234");
  EXPECT_EQ(Serial3(0), "000");
}

TEST_F(TxExchange, ReportAndSerialOnEmptyLog) {
  ASSERT_TRUE(Load("<txnr>rst</txnr><txnr>qsonr</txnr>").ok());
  EXPECT_EQ(tree_.GetTxNr("DL1ABC"), "599 001");
  tree_.SetCurrentMode(Mode::kPhone);
  EXPECT_EQ(tree_.GetTxNr("DL1ABC"), "59 001");
  EXPECT_EQ(tree_.GetTxNr("K1AR"), "59/");  // a serial is not expected from others
}

TEST_F(TxExchange, SerialFollowsLastSentExchange) {
  ASSERT_TRUE(Load("<txnr>rst</txnr><txnr>qsonr</txnr>").ok());
  AddQso("K1AR", "599 012", "599 005");
  EXPECT_EQ(tree_.GetTxNr("DL1ABC"), "599 013");
  AddQso("VE3EJ", "599 999", "599 004");
  EXPECT_EQ(tree_.GetTxNr("DL1ABC"), "599 1000");  // the thousandth QSO does not wrap
  AddQso("VE3EJ", "599 1000", "599 004");
  EXPECT_EQ(tree_.GetTxNr("DL1ABC"), "599 1001");
  AddQso("VE3EJ", "599 abc", "599 004");
  // Unreadable counts as -1: the serial goes on from the highest one sent lately, never twice.
  EXPECT_EQ(tree_.GetTxNr("DL1ABC"), "599 1001");
}

// Stations of a group: one sequence per transmitter (the Guid's station part), per band, or a
// block of its own; QSOs of the other stations in the shared log do not move it.
TEST_F(TxExchange, SerialSequencesOfAGroup) {
  ASSERT_TRUE(Load("<txnr>rst</txnr><txnr>qsonr</txnr>").ok());
  auto add = [this](int part, std::int32_t freq, const char* sent) {
    QsoRecord q;
    q.Call = "K1AR";
    q.Sent = sent;
    q.Freq = freq;
    q.Guid = (part << 24) | static_cast<int>(log_.Count() + 1);
    log_.Append(q);
  };
  add(2, 140250, "599 001");
  add(1, 70250, "599 001");
  add(2, 140300, "599 002");
  EXPECT_EQ(tree_.GetTxNr("DL1ABC"), "599 003");  // the log's last
  tree_.SetSerialPlan({SerialScope::kStation, 1, 1});
  EXPECT_EQ(tree_.GetTxNr("DL1ABC"), "599 002");
  tree_.SetSerialPlan({SerialScope::kStation, 3, 1});
  EXPECT_EQ(tree_.GetTxNr("DL1ABC"), "599 001");  // nothing logged here yet
  tree_.SetSerialPlan({SerialScope::kStation, 3, 1001});
  EXPECT_EQ(tree_.GetTxNr("DL1ABC"), "599 1001");  // a block of its own
  tree_.SetSerialPlan({SerialScope::kBand, 0, 1});
  tree_.SetCurrentBand(BandOfFreq(70100));
  EXPECT_EQ(tree_.GetTxNr("DL1ABC"), "599 002");
  tree_.SetCurrentBand(BandOfFreq(211000));
  EXPECT_EQ(tree_.GetTxNr("DL1ABC"), "599 001");
  EXPECT_EQ(SerialScopeOf(" band "), SerialScope::kBand);
  EXPECT_FALSE(SerialScopeOf("TX"));
  EXPECT_EQ(GuidStationPart((5 << 24) | 77), 5);
}

TEST_F(TxExchange, SerialInFirstField) {
  ASSERT_TRUE(Load("<txnr>qsonr</txnr><txnr>constnr</txnr>").ok());
  tree_.SetOwnExchange("55N37O");
  AddQso("RA3AUU", "041 55N37O", "007 57N85O");
  EXPECT_EQ(tree_.GetTxNr("DL1ABC"), "042 55N37O");
}

TEST_F(TxExchange, ZonesAndContinentOfOwnAndOtherStation) {
  ASSERT_TRUE(Load("<txnr>rst</txnr><txnr>zonecq</txnr>").ok());
  EXPECT_EQ(tree_.GetTxNr("DL1ABC"), "599 14");
  EXPECT_EQ(tree_.GetTxNr("K1AR"), "599/5");
}

TEST_F(TxExchange, ItuZoneAndContinent) {
  ASSERT_TRUE(Load("<txnr>zoneitu</txnr><txnr>continent</txnr>").ok());
  EXPECT_EQ(tree_.GetTxNr("DL1ABC"), "28 EU");
  EXPECT_EQ(tree_.GetTxNr("JA1YAA"), "45 AS");
}

TEST_F(TxExchange, RussianZoneOfOtherStationEndsInSlash) {
  ASSERT_TRUE(Load("<txnr>rst</txnr><txnr>zonerf</txnr>").ok());
  EXPECT_EQ(tree_.GetTxNr("RA3AUU"), "599/2/");  // Moscow
  EXPECT_EQ(tree_.GetTxNr("UA0OAA"), "599/5/");  // Buryatia
  EXPECT_EQ(tree_.GetTxNr("K1AR"), "599/0/");    // not in the Russian list
}

TEST_F(TxExchange, RussianZoneAndOblastOfOwnStation) {
  ASSERT_TRUE(Load("<txnr>rst</txnr><txnr>zonerf</txnr>", "RA1AAA").ok());
  EXPECT_EQ(tree_.GetTxNr("RA1AAA"), "599 1");
  tree_.SetOwnExchange("7");
  EXPECT_EQ(tree_.GetTxNr("RA1AAA"), "599 7");
}

// The Russian DX Contest layout: Russians send their oblast, everybody else a serial.
constexpr const char* kRdxcExchange =
    "<txnr>rst</txnr>"
    "<country list=\"UA,UA2,UA9\"><txnr>rfobl</txnr></country>"
    "<country list=\"*\"><txnr>qsonr</txnr></country>";

TEST_F(TxExchange, ItemsInsideBranchesOfOwnStation) {
  ASSERT_TRUE(Load(kRdxcExchange, "RA3AUU").ok());
  EXPECT_EQ(tree_.GetTxNr("RA3AUU"), "599 MA");
  tree_.SetOwnExchange("MO");
  EXPECT_EQ(tree_.GetTxNr("RA3AUU"), "599 MO");
  tree_.SetOwnCall("DL1ABC");
  EXPECT_EQ(tree_.GetTxNr("DL1ABC"), "599 001");
}

TEST_F(TxExchange, BranchesChosenByTheStationAskedAbout) {
  ASSERT_TRUE(Load(kRdxcExchange, "DL1ABC").ok());
  EXPECT_EQ(tree_.GetTxNr("RA1AAA"), "599/SP");
  EXPECT_EQ(tree_.GetTxNr("K1AR"), "599/");
}

TEST_F(TxExchange, LastQsoNumbers) {
  ASSERT_TRUE(Load("<txnr>changenrl</txnr><txnr>changenrr</txnr>").ok());
  EXPECT_EQ(tree_.GetTxNr("DL1ABC"), "000 000");
  AddQso("K1AR", "599 001", "015 007");
  EXPECT_EQ(tree_.GetTxNr("DL1ABC"), "015 007");
  EXPECT_EQ(tree_.GetTxNr("K1AR"), "");
}

TEST_F(TxExchange, ChampionshipOwnExchangeAndSerial) {
  ASSERT_TRUE(Load("<procedure>champ-r0l</procedure><txnr>zonerf</txnr>", "RA3AUU").ok());
  EXPECT_EQ(tree_.GetTxNr("RA3AUU"), "599 001");
  tree_.SetOwnExchange("2");
  EXPECT_EQ(tree_.GetTxNr("RA3AUU"), "2 001");
  AddQso("RA1AAA", "2 014", "1 033");
  EXPECT_EQ(tree_.GetTxNr("RA3AUU"), "2 015");
}

TEST_F(TxExchange, ChampionshipExpectsLastExchangeOfTheStation) {
  ASSERT_TRUE(Load("<procedure>champ-r0l</procedure>", "RA3AUU").ok());
  EXPECT_EQ(tree_.GetTxNr("RA1AAA"), "599/");
  AddQso("RA1AAA", "2 001", "1 033");
  AddQso("UA0OAA", "2 002", "599 017");
  AddQso("RA9HAA", "2 003", "4 001");
  EXPECT_EQ(tree_.GetTxNr("RA1AAA"), "1/");
  tree_.SetCurrentMode(Mode::kPhone);
  EXPECT_EQ(tree_.GetTxNr("UA0OAA"), "59/");  // a report is re-formed for the mode
}

TEST_F(TxExchange, CorrectionsOfReceivedExchange) {
  ASSERT_TRUE(Load("").ok());
  EXPECT_EQ(tree_.CorrectRxNr("599/15"), "599 15");
  EXPECT_EQ(tree_.CorrectRxNr("599/001/KO85"), "599 001 KO85");

  tree_.SetRxCorrection(RxCorrection::kChampionship);
  EXPECT_EQ(tree_.CorrectRxNr("3/021/X"), "3 021/X");

  tree_.SetRxCorrection(RxCorrection::kInsertSpace);
  EXPECT_EQ(tree_.CorrectRxNr("599015"), "599 015");
  EXPECT_EQ(tree_.CorrectRxNr("59"), "59 ");

  tree_.SetRxCorrection(RxCorrection::kSplit, ":2");
  EXPECT_EQ(tree_.CorrectRxNr("59915"), "599 15");
  EXPECT_EQ(tree_.CorrectRxNr("5"), " 5");
  tree_.SetRxCorrection(RxCorrection::kSplit, ":x");
  EXPECT_EQ(tree_.CorrectRxNr("59915"), "59915 ");
  tree_.SetRxCorrection(RxCorrection::kSplit, "2");
  EXPECT_EQ(tree_.CorrectRxNr("59915"), "59915");
}

TEST_F(TxExchange, LastCorrectionElementDecides) {
  ASSERT_TRUE(Load("<rxcorrect>:2</rxcorrect><txnr>changenrl</txnr>").ok());
  EXPECT_EQ(tree_.CorrectRxNr("599015"), "599 015");
  ASSERT_TRUE(Load("<procedure>champ-r0l</procedure><rxcorrect>:3</rxcorrect>").ok());
  EXPECT_EQ(tree_.CorrectRxNr("599015"), "599 015");
  EXPECT_EQ(tree_.CorrectRxNr("2/015"), "2/ 015");
}

TEST_F(TxExchange, PrefillOnlyWhenAskedAndFieldsAreSeparated) {
  AddQso("K1AR", "599 001", "599 05");
  AddQso("VE3EJ", "599 002", "59904");
  for (const char* setting : {"0", "2", "3"}) {
    ASSERT_TRUE(Load(std::string("<rxupdate>") + setting + "</rxupdate>").ok());
    EXPECT_EQ(tree_.PrefillRxNr("K1AR"), "") << setting;
  }
  ASSERT_TRUE(Load("<rxupdate>1</rxupdate>").ok());
  EXPECT_EQ(tree_.PrefillRxNr("K1AR"), "599 ");
  EXPECT_EQ(tree_.PrefillRxNr("VE3EJ"), "");
  EXPECT_EQ(tree_.PrefillRxNr("JA1YAA"), "");
}

TEST_F(TxExchange, CountryOfACall) {
  ASSERT_TRUE(Load("").ok());
  const auto line = [&](const char* call) {
    const CountryInfo c = tree_.CountryOf(call);
    return c.primaryPrefix + "|" + c.name + "|" + c.continent;
  };
  EXPECT_EQ(line("K1AR"), "K|United States of America|NA");
  EXPECT_EQ(line("UA9CDC"), "UA9|Asiatic Russia|AS");
  // The own call gives the own station, not the station asked about before.
  EXPECT_EQ(line("DL1ABC"), "DL|Fed. Rep. of Germany|EU");
  EXPECT_EQ(line("QQ1QQ"), "||");
}

}  // namespace
}  // namespace vk::test
