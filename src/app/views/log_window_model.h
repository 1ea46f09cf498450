// The log window without a terminal: one line per QSO in the log's line format, kept in step
// with the log by the broadcasts every change of the log sends, the focused line, the QSO count
// and what the window's keys and buttons do.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app/command_bus.h"
#include "app/station.h"
#include "app/views/view_model.h"
#include "log/log_collection.h"
#include "util/key_codes.h"

namespace vk {

// "[Журнал]"
inline constexpr std::string_view kLogWindowTitle = "[\x86\xE3\xE0\xAD\xA0\xAB]";
// The column header above the lines; 0xB3 is the CP866 vertical bar.
inline constexpr std::string_view kLogHeaderText =
    "Mn/Dt Time \xB3 Mode \xB3 -Call-     \xB3 Tx     \xB3 Rx    \xB3Pts";
inline constexpr std::size_t kLogCallWidth = 12;

// One QSO as the log window lists it: the log's line form with a 12-character call column.
std::string LogWindowLine(const TLogCollection& log, int pos);
inline constexpr std::string_view kLogCountLabel = "QSO:";

// The window's buttons issue these commands; the window answers them with the broadcasts that
// open the QSO dialogs.
namespace cm {
inline constexpr CommandId kLogEditButton = 5001;
inline constexpr CommandId kLogDeleteButton = 5003;
inline constexpr CommandId kLogInsertButton = 5005;
}  // namespace cm

class LogViewModel final : public ViewModel {
 public:
  // Lists one row per QSO already in the log (the log file is loaded before), focuses the last
  // and attaches to the bus.
  LogViewModel(const TLogCollection& log, CommandBus& bus);

  // The rows listed: the log's QSOs as far as the broadcasts have reported them.
  int LineCount() const { return rows_; }
  // The line of a row, made from the log when asked (a window formats only the rows it shows);
  // empty for a row whose QSO is gone (a log emptied for a whole-log transfer).
  std::string Line(int pos) const;
  // Every row's line.
  std::vector<std::string> Lines() const;
  // Position of the focused line; -1 while the list is empty.
  int Focused() const { return focused_; }
  // The log's QSO count in decimal, shown centred.
  std::string CountText() const;

  // Down on the last line (or in an empty list) hands over to the entry window; elsewhere it
  // moves down.  The key is consumed either way.
  Changes Down();
  Changes Up();
  Changes SetFocused(int position);  // a list view moved the focus itself
  Changes SelectEntryWindow();       // Ctrl+Tab
  // Down, Up and Ctrl+Tab; true when the key was the window's.
  bool Key(KeyCode key, Changes& changes);

  // The buttons: the Edit, Delete and Add QSO dialogs for the focused QSO.  They do nothing
  // when there is no QSO under the focus (empty log, or a log emptied for a whole-log transfer
  // while its old lines stay).
  void EditButton();
  void DeleteButton();
  void InsertButton();

  // QSO inserted, edited, deleted and appended (info: position) keep the lines in step, a
  // rescored log remakes them all; the button commands run the buttons.  Every change is noted
  // for TakeChanges: an append as a list and count change, any other as a refill besides.
  void HandleMessage(Message& m) override;

 private:
  void Press(CommandId broadcast);
  bool QsoFocused() const { return log_.ValidPos(focused_); }
  Changes Inserted(int pos);
  Changes Edited(int pos);
  Changes Deleted(int pos);
  Changes Appended(int pos);
  Changes Rescored();

  const TLogCollection& log_;
  int rows_ = 0;
  int focused_ = -1;
};

}  // namespace vk
