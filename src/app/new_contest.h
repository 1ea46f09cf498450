// New contest: choosing another contest from a rules file, storing the station's settings for
// it, keeping the current log in the arch folder and starting the program again on an empty
// log.  The two dialogs only collect the operator's choices; every step that reads or writes a
// file is here, so it can be tried without a terminal.
//
// Order of the steps, chosen so that a failure at any point leaves a station that still fits
// together:
//   1. the Select contest dialog gives a display name and the own call; the contest is loaded
//      into a scratch rule tree only, to learn whether it offers a choice of mode and asks for
//      an exchange (the running contest keeps its rules, whatever the operator does next);
//   2. the contest settings dialog gives work mode, date, time, mode and exchange;
//   3. the log is archived (a complete copy on disk, or nothing happens);
//   4. the main settings are written (a failure is reported; the log stays in place);
//   5. the log file is removed and the program starts again.
// A configuration naming the new contest is therefore never left next to the old log.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/shell.h"
#include "app/station.h"
#include "config/settings.h"
#include "country/country.h"
#include "log/log_collection.h"
#include "rules/contest_list.h"
#include "util/datetime.h"
#include "util/result.h"

namespace vk {

inline constexpr std::string_view kArchiveDirName = "arch";
inline constexpr std::string_view kSelectContestTitle = "Select contest";
inline constexpr std::string_view kContestCallPicture = "*!";  // every letter upper case
inline constexpr std::string_view kContestDatePicture = "##-##-####";
inline constexpr std::string_view kContestTimePicture = "##:##";
inline constexpr std::string_view kContestDateMask = "dd-mm-yyyy";
inline constexpr std::string_view kContestTimeMask = "hh:nn";
inline constexpr std::size_t kContestCallLength = 16;
inline constexpr std::size_t kContestDateLength = 12;  // the line; Date keeps at most 12
inline constexpr std::size_t kContestTimeLength = 12;  // the line; Time keeps at most 6
inline constexpr std::size_t kStoredTimeWidth = 6;
inline constexpr std::size_t kExchangeLineLength = 16;
inline constexpr std::size_t kStoredTxnrWidth = 8;

inline constexpr std::array<std::string_view, 2> kWorkChoices = {"Contest", "WriteLog"};
inline constexpr std::array<std::string_view, 2> kModeChoices = {"CW", "SSB"};
// The mode of an entry of kModeChoices; an index beyond the list counts as its nearest end.
Mode ModeOfContestChoice(int choice);
inline constexpr std::uint8_t kWorkContest = 0;
inline constexpr std::uint8_t kWorkWriteLog = 1;  // a paper log typed in afterwards

// --- the Select contest dialog ----------------------------------------------------------------

struct SelectContestForm {
  std::vector<std::string> displayNames;  // CP866, in file order
  std::string call;                       // the current own call
};

// The display names of entry `entry` of the contest list and the current own call.
SelectContestForm MakeSelectContestForm(const ContestList& list, int entry,
                                        std::string_view ownCall);

// The contest the first dialog chose, worked out for the second.
struct ContestOffer {
  int entry = 0;
  std::string displayName;  // CP866, at most 40
  std::string contestName;  // as the rules file spells it, at most 16; empty when none matches
  std::string ownCall;      // spaces trimmed, upper case, at most 16
  // False for a call the world country list does not know: the rules could not be loaded for
  // it, now or at the next start.
  bool callKnown = true;
  bool modeChoice = false;      // the rules offer CW or SSB
  std::string exchangeCaption;  // CP866; empty when the contest asks for no own exchange
  Status load;                  // how reading the rules went
};

// Derives the contest name of `displayName` in entry `entry` and reads that contest's rules
// into a scratch tree, looked at from `call`, which journals to `journal` (nullptr: nowhere).
ContestOffer OfferContest(const ContestList& list, const CountryLists& countries, int entry,
                          std::string_view displayName, std::string_view call,
                          Journal* journal = nullptr);

// --- the contest settings dialog --------------------------------------------------------------

struct ContestSettingsForm {
  std::uint8_t work = kWorkContest;
  std::string date;  // "dd-mm-yyyy"
  std::string time;  // "hh:nn"
  int mode = 0;      // index into kModeChoices
  std::string exchange;
};

// "Contest", CW, no exchange; today's date and the current time for a WriteLog start.
ContestSettingsForm MakeContestSettingsForm(const TimeSource& time);

// A WriteLog start fixes the log clock, so its date and time must fill their pictures and name
// a real day and minute; the Contest work mode does not use them.
enum class SettingsFault : std::uint8_t { kNone, kDate, kTime };
SettingsFault CheckContestSettings(const ContestSettingsForm& form, const TimeSource& time);

// The main settings with the new contest, call, work mode, date, time, mode and exchange on
// top of `base` (whose keyer port is kept).
MainSettings ApplyContestSettings(MainSettings base, const ContestOffer& offer,
                                  const ContestSettingsForm& form);

// --- the archive ------------------------------------------------------------------------------

// "<contest>-yyyymmdd-hhnnss.adi"; a contest name that would leave the arch folder has its
// slashes replaced, and a station without a contest archives under "log".
std::string ArchiveFileName(std::string_view oldContest, const DateTime& now);

struct ArchiveRequest {
  std::string workDir;  // empty: the current directory
  std::string oldContest;
  DateTime now;
  // True when the log in memory holds the whole log file (it was read without a fault).  When
  // it does not (no contest was open, or the file could not be read whole), the file's own
  // bytes are archived too, so nothing of it is lost when it is removed.
  bool fileInLog = false;
};

struct ArchiveOutcome {
  Status status;
  bool folderFailed = false;         // arch could not be created
  std::vector<std::string> written;  // paths of the archive files
};

// Writes the log (and, see above, the log file) into arch, creating the folder when it is
// missing.  An empty log and no log file archive nothing and succeed.
ArchiveOutcome ArchiveLog(const TLogCollection& log, const ArchiveRequest& request);

// --- the whole command ------------------------------------------------------------------------

enum class NewContestEnd : std::uint8_t {
  kArchiveFailed,       // nothing written, nothing discarded; the program goes on
  kSettingsNotWritten,  // archived, but the configuration is as before; the log stays
  kRestart,             // the log is archived and gone; start the program again
};

struct NewContestResult {
  NewContestEnd end = NewContestEnd::kArchiveFailed;
  std::string message;  // for the operator: what failed, or a warning on the way to a restart
  std::vector<std::string> archived;
};

// Steps 3 to 5 for confirmed dialogs.  On a failure to create arch the error broadcast 0x4210
// goes out on the station's bus.  On success the shell's state names the new contest and
// DiscardLog is set, so the log is not written again on the way out.
NewContestResult CompleteNewContest(Station& station, ShellState& state, const ContestOffer& offer,
                                    const ContestSettingsForm& form, bool logFileLoaded);

// Replaces the running program with a fresh start of itself (same process, same arguments,
// same terminal), after every object of the old run is gone.  Returns only on failure.
Status RestartProgram(char* const argv[]);

}  // namespace vk
