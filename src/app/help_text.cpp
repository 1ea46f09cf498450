#include "app/help_text.h"

#include "log/adif.h"
#include "util/strings.h"

namespace vk {

std::vector<std::string> HelpTopicLines() {
  return {
      "Call, Enter       repeat check, exchange proposed in RxNr",
      "RxNr, Enter       the QSO is scored, logged and saved",
      "ESM, Run: Enter   CQ (F1), call+exch (F5 F2), log+TU (F3)",
      "Alt+U  Run / S&P  S&P: own call (F4), exch+log (F2)",
      "Tab, Shift+Tab    Call <-> RxNr; Alt+N TxNr; Space clears",
      "Alt+A, `          clear the entry, TxNr back to the rules",
      "Alt+F1 / Alt+F2   band down / up;  Alt+F3  mode",
      "Ctrl+PgUp / PgDn  log clock +1 / -1 minute (Alt+PgUp too)",
      "Up / Down         log window (Edit, Del, Insert) and back",
      "F1-F12, Ins, - = [ ] , . \\   CW messages;  Esc stops",
      "Alt+M  messages:  $ {MYCALL} @ {HISCALL} # {EXCH} {NR}",
      "PgDn/PgUp, Alt+F11/F12  CW speed -1 / +1 WPM (5-60)",
      "Alt+B, K, P       band map, cluster console, spot the call",
      "Alt+S / Alt+R     check-partial list / rate line;  Alt+C pick",
      "Alt+O             Cabrillo report;  Alt+F10  menu",
      "Alt+X             save the log and exit",
  };
}

std::vector<std::string> ClockHelpLines() {
  return {
      "QSOs are stamped in UTC plus the contest's time zone",
      "(0 for international contests, 3 for Moscow time).",
      "",
      "Ctrl+PgUp / Ctrl+PgDn (or Alt+PgUp / Alt+PgDn) in the",
      "entry window move the log clock one minute forward or",
      "back; the clock then stops (yellow on red, SET beside",
      "it) until the QSO is logged or Alt+A clears it.",
      "",
      "To log from paper: File > New contest, Work = WriteLog,",
      "with the Date and Time of the first QSO; the clock",
      "stays where it is set.",
  };
}

std::string SaveResultText(const Status& saved, int qsoCount) {
  if (saved.ok()) {
    return "Log saved: " + IntToStr(qsoCount) + " QSO in " + std::string(kLogFileName);
  }
  return "Log NOT saved: " + saved.message;
}

}  // namespace vk
