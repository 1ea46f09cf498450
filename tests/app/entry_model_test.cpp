// The entry window driven key by key as an operator works it, on a scratch station with the
// shipped World contest (or a small contest of the test's own) and a fake clock at
// 05-03-2024 09:07:30.  The own station is UA3AAA in European Russia.
#include "app/views/entry_window_model.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "log/adif.h"
#include "station_fixture.h"
#include "logbook_access.h"

namespace vk {
namespace {

using test::ReadWholeFile;

constexpr KeyCode kAltF1 = kb::kAltF1;

class EntryTest : public test::StationFixture {
 protected:
  void SetUp() override {
    StationFixture::SetUp();
    ShipRules("contest.xml");
  }
  void TearDown() override {
    entry_.reset();
    StationFixture::TearDown();
  }

  EntryModel& Open(const std::string& config = "Contest=WORLD\r\nCall=UA3AAA\r\n") {
    entry_.reset();
    WriteConfig(config);
    Station& st = Start();
    EXPECT_TRUE(st.LoadLog().ok());
    entry_ = std::make_unique<EntryModel>(st, st.ChooseStart());
    recorder_.heard.clear();
    return *entry_;
  }
  // A small contest: 80 m and 20 m, CW and phone, repeats by band unless `extra` says more.
  EntryModel& OpenTest(const std::string& extra, const std::string& mode = "0") {
    WriteRules("<band>80 20</band><mode>cw ph</mode><txnr>rst</txnr><txnr>qsonr</txnr>" + extra);
    return Open("Contest=TEST\r\nCall=UA3AAA\r\nMode=" + mode + "\r\n");
  }

  EntryResult Press(KeyCode key) { return entry_->Key(key); }
  // Call, Enter, exchange, Enter: the whole road of one QSO.
  EntryResult LogQso(const std::string& call, const std::string& rx) {
    entry_->Type(call);
    Press(kb::kEnter);
    entry_->Type(rx);
    return Press(kb::kEnter);
  }
  const TLogCollection& Log() { return station_->Log(); }

  std::unique_ptr<EntryModel> entry_;
};

TEST_F(EntryTest, FreshWindowGreetsAndOffersTheFirstSerial) {
  EntryModel& e = Open();
  EXPECT_EQ(e.FirstMessage(), kGreetingText);
  EXPECT_EQ(e.SecondMessage(), kDotsText);
  EXPECT_EQ(e.TxNrText(), "599 001");
  EXPECT_EQ(e.Focus(), EntryField::kCall);
  EXPECT_EQ(e.FreqText(), "    1840.0");  // the lowest band of the contest
  EXPECT_EQ(e.ModeText(), " CW ");
  const ClockView clock = e.Clock();
  EXPECT_EQ(clock.date, "05-03-2024");
  EXPECT_EQ(clock.time, "09:07:30");
  EXPECT_FALSE(clock.stopped);
  // The first key with an empty Call line clears the greeting; the dots stay.
  e.Type("d");
  EXPECT_EQ(e.FirstMessage(), "");
  EXPECT_EQ(e.SecondMessage(), kDotsText);
}

TEST_F(EntryTest, LettersAreUpperCasedSpaceEmptiesTheLineAndLinesHaveTheirLength) {
  EntryModel& e = Open();
  e.Type("aa1");
  EXPECT_EQ(e.CallText(), "AA1");
  Press(kb::kLeft);
  Press(kb::kSpace);
  EXPECT_EQ(e.CallText(), "");
  EXPECT_EQ(e.Line(EntryField::kCall).Cursor(), 0u);
  e.Type("ua3aaa/p/qrp/x");
  EXPECT_EQ(e.CallText(), "UA3AAA/P/QRP");  // 12 characters fit
  Press(kb::kBackspace);
  EXPECT_EQ(e.CallText(), "UA3AAA/P/QR");
  Press(kb::kTab);
  EXPECT_EQ(e.Focus(), EntryField::kRxNr);  // the exchange to send is skipped
  e.Type("599/15");
  Press(kb::kSpace);  // clears a proposed or typed exchange
  EXPECT_EQ(e.RxNrText(), "");
  // Only printable ASCII: a Cyrillic letter or a control byte is refused, and never reaches the
  // log file or the reports.
  EXPECT_TRUE(Press(KeyCode{0x00A0}).consumed);  // taken, so the line never sees it either
  e.Type("1\xA0" "2");
  EXPECT_EQ(e.RxNrText(), "12");
  e.LineEdited(EntryField::kRxNr, "5\x99\t9", 4);
  EXPECT_EQ(e.RxNrText(), "59");
}

TEST_F(EntryTest, EnterWithNothingTypedDoesNothing) {
  EntryModel& e = Open();
  EXPECT_EQ(Press(kb::kEnter).changes, changed::kNothing);
  e.FocusField(EntryField::kRxNr);
  EXPECT_EQ(Press(kb::kEnter).changes, changed::kNothing);
  EXPECT_TRUE(Log().Empty());
  EXPECT_TRUE(recorder_.heard.empty());
}

TEST_F(EntryTest, EnterInCallProposesTheExchangeAndAnnouncesANewCountry) {
  EntryModel& e = Open();
  e.Type("dl1abc");
  Press(kb::kEnter);
  EXPECT_EQ(e.Focus(), EntryField::kRxNr);
  EXPECT_EQ(e.RxNrText(), "599/");
  EXPECT_EQ(e.Line(EntryField::kRxNr).Cursor(), 4u);
  EXPECT_EQ(e.FirstMessage(), "DL : Fed. Rep. of Germany : EU");
  // What it would bring: the country as the multiplier rule keys it.
  EXPECT_EQ(e.SecondMessage(), std::string(kNewMultiplierText) + ": DL");
  EXPECT_TRUE(Log().Empty());  // asking about the multiplier records nothing
}

TEST_F(EntryTest, LoggingAQsoScoresAppendsSavesAndTellsTheOtherWindows) {
  EntryModel& e = Open();
  const EntryResult r = LogQso("dl1abc", "15");
  ASSERT_TRUE(r.status.ok()) << r.status.message;
  ASSERT_EQ(Log().Count(), 1);
  const QsoRecord& q = *Log().At(0);
  EXPECT_EQ(AdifRecordLine(q),
            "<QSO_DATE:8>20240305<TIME_ON:6>090730<BAND:4>160M<FREQ:4>1.84<MODE:2>CW"
            "<CALL:6>DL1ABC<RST_SENT:7>599 001<RST_RCVD:6>599 15<QSCORE:1>2<QMULTI:1>1"
            "<QGUID:1>1<EOR>");
  EXPECT_NE(ReadWholeFile(LogPath()).find(AdifRecordLine(q)), std::string::npos);
  // The log window appends position 0, then every window refreshes; the logbook publishes one
  // change, which the network sends.
  ASSERT_EQ(recorder_.Commands(), (std::vector<CommandId>{cm::kQsoAppended, cm::kLogChanged}));
  EXPECT_EQ(recorder_.heard[0].number, 0);
  const std::vector<LogChange> feed = station_->Book().ChangesSince(0);
  ASSERT_FALSE(feed.empty());
  EXPECT_EQ(feed.back(), (LogChange{feed.back().revision, LogChangeKind::kAppended,
                                    LogOrigin::kEntry, q.Guid, 0}));
  EXPECT_EQ(station_->Totals().Row(1).points, 2u);
  // Ready for the next QSO.
  EXPECT_EQ(e.CallText(), "");
  EXPECT_EQ(e.RxNrText(), "");
  EXPECT_EQ(e.Focus(), EntryField::kCall);
  EXPECT_EQ(e.FirstMessage(), "");
  EXPECT_EQ(e.SecondMessage(), "");
  EXPECT_EQ(e.TxNrText(), "599 002");
}

TEST_F(EntryTest, RepeatIsShownAndMayStillBeLoggedFromTheExchangeLine) {
  EntryModel& e = Open();
  LogQso("DL1ABC", "15");
  e.Type("DL1ABC");
  Press(kb::kEnter);
  EXPECT_EQ(e.FirstMessage(), kRepeatText);
  EXPECT_EQ(e.SecondMessage(), "worked 160");
  EXPECT_EQ(e.Focus(), EntryField::kCall);
  // On another band the call is no repeat, and the line says where it was worked.
  Press(kb::kAltF2);
  Press(kb::kEnter);
  EXPECT_EQ(e.SecondMessage(), std::string(kNewMultiplierText) + ": DL  worked 160");
  Press(kb::kAltF1);
  Press(kb::kAltA);
  e.Type("DL1ABC");
  Press(kb::kEnter);
  EXPECT_EQ(e.RxNrText(), "");
  Press(kb::kTab);
  e.Type("599/16");
  ASSERT_TRUE(Press(kb::kEnter).status.ok());
  EXPECT_EQ(Log().Count(), 2);
  EXPECT_EQ(Log().At(1)->Multi, 0);
}

TEST_F(EntryTest, TwoOrThreeCharactersCompleteToTheNewestCallHoldingThem) {
  EntryModel& e = Open();
  LogQso("N0CALL", "1");
  LogQso("N0CAL", "2");
  e.Type("CAL");
  Press(kb::kEnter);
  EXPECT_EQ(e.CallText(), "N0CAL");
  EXPECT_EQ(e.FirstMessage(), kRepeatText);  // the completed call is checked
  EXPECT_EQ(e.Line(EntryField::kCall).Cursor(), 5u);
  for (const char* typed : {"C", "0CAL"}) {
    Press(kb::kAltA);
    e.Type(typed);
    Press(kb::kEnter);
    EXPECT_EQ(e.CallText(), typed);
  }
}

TEST_F(EntryTest, EnterInTheSentExchangeLogsLikeEnterInTheReceivedOne) {
  EntryModel& e = Open();
  e.Type("F5XYZ");
  Press(kb::kEnter);
  e.Type("7");
  e.FocusField(EntryField::kTxNr);
  ASSERT_TRUE(Press(kb::kEnter).status.ok());
  ASSERT_EQ(Log().Count(), 1);
  EXPECT_EQ(Log().At(0)->Rcvd, "599 7");
}

TEST_F(EntryTest, NoQsoWithoutACallAndNoCallSentAsTheExchange) {
  EntryModel& e = Open();
  // Down goes where Tab goes, so a call typed after it lands in RxNr, never in TxNr.
  Press(kb::kDown);
  EXPECT_EQ(e.Focus(), EntryField::kRxNr);
  e.Type("14K8RFT");
  Press(kb::kEnter);
  EXPECT_TRUE(Log().Empty());
  EXPECT_EQ(e.FirstMessage(), kNoCallText);
  EXPECT_EQ(e.Focus(), EntryField::kCall);
  EXPECT_FALSE(std::filesystem::exists(LogPath()));
  // A call typed into TxNr holds the QSO back once; Alt+A puts the rules' exchange back.
  Press(kb::kAltA);
  e.Type("DL1ABC");
  Press(kb::kEnter);
  e.Type("15");
  e.FocusField(EntryField::kTxNr);
  e.Type("G4YTK");
  Press(kb::kEnter);
  EXPECT_TRUE(Log().Empty());
  EXPECT_EQ(e.FirstMessage(), kTxNrEditedText);
  Press(kb::kAltA);
  EXPECT_EQ(e.TxNrText(), "599 001");
  // An exchange changed on purpose is logged on the second Enter.
  LogQso("DL1ABC", "15");
  e.Type("F5XYZ");
  Press(kb::kEnter);
  e.Type("7");
  e.FocusField(EntryField::kTxNr);
  Press(kb::kBackspace);
  e.Type("9");
  Press(kb::kEnter);
  EXPECT_EQ(Log().Count(), 1);
  Press(kb::kEnter);
  ASSERT_EQ(Log().Count(), 2);
  EXPECT_EQ(Log().At(1)->Sent, "599 009");
}

TEST_F(EntryTest, ExchangeThatDoesNotFitIsLoggedOnlyOnASecondEnter) {
  EntryModel& e = Open();
  e.Type("DL1ABC");
  Press(kb::kEnter);
  e.Type("1S");  // after the proposed "599/": the World contest exchanges serial numbers
  Press(kb::kEnter);
  EXPECT_TRUE(Log().Empty());
  EXPECT_EQ(e.FirstMessage(), "serial 1S is not a number");
  EXPECT_EQ(e.SecondMessage(), kExchangeCheckHint);
  Press(kb::kEnter);
  ASSERT_EQ(Log().Count(), 1);
  EXPECT_EQ(Log().At(0)->Rcvd, "599 1S");
  LogQso("F5XYZ", "12");  // a serial goes straight in
  EXPECT_EQ(Log().Count(), 2);
}

TEST_F(EntryTest, ZonesOutOfRangeAndUnknownSocietiesAreQuestioned) {
  ShipRules("cqww.xml");
  EntryModel& e = Open("Contest=CQ-WW-CW\r\nCall=UA3AAA\r\n");
  e.Type("DL1ABC");
  Press(kb::kEnter);
  Press(kb::kSpace);
  e.Type("599/55");
  Press(kb::kEnter);
  EXPECT_EQ(e.FirstMessage(), "CQ zone 55 is not 1-40");
  EXPECT_TRUE(Log().Empty());
  ShipRules("iaru.xml");
  Open("Contest=IARU-HF\r\nCall=UA3AAA\r\n");
  auto log = [this](const char* call, const char* rx) {
    entry_->Type(call);
    Press(kb::kEnter);
    Press(kb::kSpace);  // whatever was proposed
    entry_->Type(rx);
    Press(kb::kEnter);
  };
  log("DL1ABC", "599/DARC");
  log("DL2ABC", "599/28");
  EXPECT_EQ(Log().Count(), 2);  // a headquarters sends its society instead of a zone
  log("DA0HQ", "599/XYZ");
  EXPECT_EQ(entry_->FirstMessage(), "unknown HQ XYZ");
}

// Sweepstakes: number, precedence, check and section are all part of the QSO (typed with "/"
// or run together, as a space clears the line); one missing holds the QSO back with the fields it lacks, and a second Enter logs it as typed.
TEST_F(EntryTest, SweepstakesExchangeLackingAFieldIsHeldBack) {
  ShipRules("arrl.xml");
  ShipRules("arrl-sections.dat");
  ShipRules("us-states-48.dat");
  ShipRules("ve-provinces.dat");
  ShipRules("us-states.dat");
  ShipRules("xe-states.dat");
  EntryModel& e = Open("Contest=ARRL-SS-CW\r\nCall=K1XYZ\r\n");
  struct Case {
    const char* rx;
    const char* message;
  };
  const Case held[] = {
      {"12/A/99", "Exchange lacks section"},
      {"A/99/CT", "Exchange lacks number"},
      {"12/99/CT", "Exchange lacks precedence"},
      {"12A/CT", "Exchange lacks check"},
      {"12A/99/XYZ", "Exchange lacks section (XYZ not understood)"},
  };
  for (const Case& c : held) {
    e.Type("W1ABC");
    Press(kb::kEnter);
    e.Type(c.rx);
    Press(kb::kEnter);
    EXPECT_TRUE(Log().Empty()) << c.rx;
    EXPECT_EQ(e.FirstMessage(), c.message) << c.rx;
    EXPECT_EQ(e.SecondMessage(), kExchangeCheckHint);
    Press(KeyCodeForChar('`'));  // clear the entry for the next case
  }
  LogQso("W1ABC", "12/A/99");
  Press(kb::kEnter);  // the second Enter logs it as typed
  ASSERT_EQ(Log().Count(), 1);
  LogQso("W2ABC", "12A/99/CT");  // complete: straight in
  ASSERT_EQ(Log().Count(), 2);
  EXPECT_EQ(Log().At(1)->Rcvd, "12 A 99 CT");
}

TEST_F(EntryTest, ClearEntryKeepsTheSentExchange) {
  EntryModel& e = Open();
  e.Type("F5XYZ");
  Press(kb::kEnter);
  Press(KeyCodeForChar('`'));
  EXPECT_EQ(e.CallText(), "");
  EXPECT_EQ(e.RxNrText(), "");
  EXPECT_EQ(e.FirstMessage(), "");
  EXPECT_EQ(e.Focus(), EntryField::kCall);
  EXPECT_EQ(e.TxNrText(), "599 001");
}

TEST_F(EntryTest, ClockStepsStopTheClockUntilTheQsoIsLogged) {
  EntryModel& e = Open();
  Press(kb::kCtrlPgUp);
  EXPECT_TRUE(e.Clock().stopped);
  EXPECT_EQ(e.Clock().time, "09:08:00");
  EXPECT_EQ(e.Clock().zone, "SET");  // no longer the computer's UTC
  Press(kb::kAltPgDn);  // the same key where the terminal has no Ctrl+PgDn
  Press(kb::kCtrlPgDn);
  EXPECT_EQ(e.Clock().time, "09:06:00");
  LogQso("DL1ABC", "15");
  EXPECT_EQ(Log().At(0)->Stamp, (DateTime{2024, 3, 5, 9, 6, 0}));
  EXPECT_FALSE(e.Clock().stopped);
  EXPECT_EQ(e.Clock().time, "09:07:30");
  EXPECT_EQ(e.Clock().zone, "UTC");
  // PgUp and PgDn are the CW speed keys, as in every contest logger; the clock stays.
  recorder_.heard.clear();
  Press(kb::kPgUp);
  Press(kb::kPgDn);
  EXPECT_EQ(recorder_.Commands(),
            (std::vector<CommandId>{cm::kKeyerSpeedUp, cm::kKeyerSpeedDown}));
  EXPECT_FALSE(e.Clock().stopped);
}

TEST_F(EntryTest, TypingReplacesTheProposedExchangeAndKeepsTheReport) {
  ShipRules("cqww.xml");
  struct Case {
    std::vector<KeyCode> keys;  // after Enter in Call proposed "599/14"
    const char* shown;          // RxNr then
    const char* logged;         // Rcvd of the QSO
  };
  const Case cases[] = {
      {{'1', '6'}, "599/16", "599 16"},                  // typing replaces the zone
      {{kb::kSpace, '1', '6'}, "16", "599 16"},          // a zone alone keeps the report
      {{kb::kBackspace, '5'}, "599/15", "599 15"},       // editing keeps the rest
      {{kb::kLeft, '2'}, "599/124", "599 124"},          // moved: typing inserts
      {{kb::kSpace, '5', '7', '9', '/', '1', '6'}, "579/16", "579 16"},
  };
  for (const Case& c : cases) {
    entry_.reset();
    station_.reset();
    std::filesystem::remove(LogPath());
    EntryModel& e = Open("Contest=CQ-WW-CW\r\nCall=UA3AAA\r\n");
    e.Type("DL1ABC");
    Press(kb::kEnter);
    ASSERT_EQ(e.RxNrText(), "599/14");
    for (const KeyCode k : c.keys) {
      Press(k < 0x80 ? KeyCodeForChar(static_cast<unsigned char>(k)) : k);
    }
    EXPECT_EQ(e.RxNrText(), c.shown) << c.shown;
    Press(kb::kEnter);
    Press(kb::kEnter);  // a zone out of range is questioned once
    ASSERT_EQ(Log().Count(), 1) << c.shown << ": " << e.FirstMessage();
    EXPECT_EQ(Log().At(0)->Rcvd, c.logged);
  }
}

TEST_F(EntryTest, ShiftTabGoesBetweenCallAndRxNrAndAltNIntoTxNr) {
  EntryModel& e = Open();
  Press(kb::kShiftTab);
  EXPECT_EQ(e.Focus(), EntryField::kRxNr);
  Press(kb::kShiftTab);
  EXPECT_EQ(e.Focus(), EntryField::kCall);
  Press(kb::kAltN);
  EXPECT_EQ(e.Focus(), EntryField::kTxNr);
  Press(kb::kShiftTab);
  EXPECT_EQ(e.Focus(), EntryField::kCall);
}

TEST_F(EntryTest, FixedClockStaysStoppedAfterALoggedQso) {
  EntryModel& e =
      Open("Contest=WORLD\r\nCall=UA3AAA\r\nWork=1\r\nDate=01-02-2023\r\nTime=08:00\r\n");
  EXPECT_TRUE(e.Clock().stopped);
  Press(kb::kCtrlPgUp);
  LogQso("DL1ABC", "15");
  EXPECT_EQ(Log().At(0)->Stamp, (DateTime{2023, 2, 1, 8, 1, 0}));
  EXPECT_TRUE(e.Clock().stopped);
  EXPECT_EQ(e.Clock().time, "08:01:00");
}

TEST_F(EntryTest, BandKeysWrapOverTheAllowedBands) {
  EntryModel& e = OpenTest("<repqso>band</repqso>");
  EXPECT_EQ(station_->CurrentBand(), 2);
  Press(kb::kAltF2);
  EXPECT_EQ(station_->CurrentBand(), 4);
  EXPECT_EQ(e.FreqText(), "   14020.0");
  Press(kb::kAltF2);  // 15 m ... 23 cm and 160 m are not allowed
  EXPECT_EQ(station_->CurrentBand(), 2);
  Press(kAltF1);
  EXPECT_EQ(station_->CurrentBand(), 4);
  ASSERT_EQ(recorder_.heard.size(), 3u);
  EXPECT_EQ(recorder_.heard[0].command, cm::kBandChanged);
  EXPECT_EQ(recorder_.heard[0].number, 4);
  EXPECT_EQ(recorder_.heard[1].number, 2);
}

TEST_F(EntryTest, ModeKeyStepsThroughTheAllowedModesAndTheReportFollows) {
  EntryModel& e = OpenTest("<repqso>band</repqso>");
  Press(kb::kAltF3);
  EXPECT_EQ(e.ModeText(), " PH ");
  EXPECT_EQ(e.TxNrText(), "59 001");
  ASSERT_EQ(recorder_.heard.size(), 1u);
  EXPECT_EQ(recorder_.heard[0].command, cm::kModeChanged);
  EXPECT_EQ(recorder_.heard[0].number, 2);
  Press(kb::kAltF3);  // FM is not allowed
  EXPECT_EQ(e.ModeText(), " CW ");
  EXPECT_EQ(e.TxNrText(), "599 001");
  station_->Bus().SendCommand(cm::kChangeMode);
  EXPECT_EQ(e.ModeText(), " PH ");
}

TEST_F(EntryTest, ModeIsFixedWhenTheConfigurationChoseIt) {
  EntryModel& e = OpenTest("<repqso>band</repqso>", "1");
  EXPECT_EQ(Press(kb::kAltF3).changes, changed::kNothing);
  EXPECT_EQ(e.ModeText(), " CW ");
  EXPECT_TRUE(recorder_.heard.empty());
}

TEST_F(EntryTest, MissingRepeatRuleRaisesTheErrorBoxOnceTheKeyIsDone) {
  EntryModel& e = OpenTest("");
  e.Type("DL1ABC");
  Press(kb::kEnter);
  EXPECT_FALSE(recorder_.HeardCommand(cm::kErrRepeatSetting));
  EXPECT_EQ(e.Focus(), EntryField::kRxNr);  // no repeat: the exchange is prepared
  station_->Bus().DeliverPosted();
  EXPECT_TRUE(recorder_.HeardCommand(cm::kErrRepeatSetting));
}

TEST_F(EntryTest, ExchangePictureRefusesWhatDoesNotFit) {
  EntryModel& e = OpenTest("<repqso>band</repqso><rxmask>###</rxmask>");
  e.FocusField(EntryField::kRxNr);
  e.Type("5a9x91");
  EXPECT_EQ(e.RxNrText(), "599");
}

TEST_F(EntryTest, PrefillOffersWhatTheStationSentLastTimeWhenTheRulesExpectNothing) {
  // Only a serial is sent, so the rules expect nothing of others; the log remembers.
  WriteRules(
      "<band>80 20</band><mode>cw ph</mode><txnr>qsonr</txnr>"
      "<repqso>bandmode</repqso><rxupdate>1</rxupdate>");
  EntryModel& e = Open("Contest=TEST\r\nCall=UA3AAA\r\n");
  LogQso("DL1ABC", "559/015");
  Press(kb::kAltF3);  // phone: not a repeat
  e.Type("DL1ABC");
  Press(kb::kEnter);
  EXPECT_EQ(e.RxNrText(), "559 ");
  EXPECT_EQ(e.Line(EntryField::kRxNr).Cursor(), 4u);
}

TEST_F(EntryTest, QuitClearsTheEntryAndRefreshRecomputesTheSentExchange) {
  EntryModel& e = Open();
  e.Type("DL1ABC");
  station_->Bus().SendCommand(cm::kQuit);
  EXPECT_EQ(e.CallText(), "");
  QsoRecord q;
  q.Call = "F5XYZ";
  q.Sent = "599 041";
  test::MutableLog(*station_).Append(q);
  station_->Bus().SendCommand(cm::kRefreshTxNr);
  EXPECT_EQ(e.TxNrText(), "599 042");
}

TEST_F(EntryTest, ChecksumReportsTurnTheActivityIndicator) {
  EntryModel& e = Open();
  std::string seen;
  for (int i = 0; i < 5; ++i) {
    seen += e.ActivityChar();
    station_->Bus().Send(EventClass::kStatus, cm::kChecksumReport);
  }
  EXPECT_EQ(seen, "-\\|/-");
}

TEST_F(EntryTest, FailedSaveIsReportedAndTheQsoStaysInTheLog) {
  EntryModel& e = Open();
  std::filesystem::create_directory(LogPath());  // the file cannot be replaced now
  const EntryResult r = LogQso("DL1ABC", "15");
  EXPECT_EQ(r.status.code, ErrCode::kIo);
  EXPECT_EQ(Log().Count(), 1);
  EXPECT_EQ(e.SecondMessage(), "Log not saved to vorkan.adi");
  EXPECT_FALSE(e.FirstMessage().empty());
  std::filesystem::remove(LogPath());
  ASSERT_TRUE(LogQso("F5XYZ", "16").status.ok());  // the next save writes both
  EXPECT_NE(ReadWholeFile(LogPath()).find("DL1ABC"), std::string::npos);
}

TEST_F(EntryTest, GuidsStayUniqueWhenTheCounterHasNotMoved) {
  Open();
  station_->Ids().Set(7);
  LogQso("DL1ABC", "15");
  LogQso("F5XYZ", "16");
  EXPECT_EQ(Log().At(0)->Guid, 7);
  EXPECT_EQ(Log().At(1)->Guid, 8);
}

TEST_F(EntryTest, ChangesTellTheWindowWhatToRedraw) {
  EntryModel& e = Open();
  EXPECT_EQ(e.TakeChanges(), changed::kAll);  // a new window draws everything
  EXPECT_EQ(e.Type("D"), changed::kCall | changed::kMessages);
  EXPECT_EQ(Press(kb::kCtrlPgUp).changes, changed::kClock);
  EXPECT_EQ(e.TakeChanges(), changed::kCall | changed::kMessages | changed::kClock);
  EXPECT_EQ(e.TakeChanges(), changed::kNothing);
  EXPECT_FALSE(Press(kb::kF1).consumed);  // not the window's key
}

TEST(EntryViewTexts, FrequencyAndModeAsTheViewsShowThem) {
  EXPECT_EQ(EntryFreqText(140250), "   14025.0");
  EXPECT_EQ(EntryFreqText(18400), "    1840.0");
  EXPECT_EQ(EntryFreqText(12960000), " 1296000.0");
  EXPECT_EQ(EntryFreqText(0), "       0.0");
  EXPECT_EQ(EntryFreqText(70551), "    7055.1");
  EXPECT_EQ(EntryFreqText(103680000), "10368000.0");  // 3 cm still fits the view
  EXPECT_EQ(EntryFreqText(-5), "      -0.5");
  const char* modes[] = {"    ", " CW ", " PH ", " FM ", "RTTY", "PSK ", "    "};
  for (int m = 0; m <= 6; ++m) EXPECT_EQ(EntryModeText(static_cast<Mode>(m)), modes[m]);
}

}  // namespace
}  // namespace vk
