#include "app/views/log_window_model.h"

#include <algorithm>
#include <utility>

#include "app/key_table.h"
#include "app/views/entry_window_model.h"
#include "log/qso.h"
#include "util/datetime.h"
#include "util/strings.h"

namespace vk {

std::string LogWindowLine(const TLogCollection& log, int pos) {
  const QsoRecord* q = log.At(pos);
  if (q == nullptr) return std::string(kGetStrQsoError);
  // The log file's line form, with room for a whole portable call (EA8/DF4U/P, G4YTK/QRP).
  constexpr char kBar = '\xB3';
  std::string line = FormatMask(q->Stamp, "mm/dd hh:nn");
  line += kBar;
  line += QsoBandText(q->Freq, log.AdifBandNames);
  line += kBar;
  line += QsoModeText(q->Mode);
  line += kBar;
  line += FixedWidth(q->Call, static_cast<int>(kLogCallWidth));
  line += kBar;
  line += FixedWidth(q->Sent, 8);
  line += kBar;
  line += FixedWidth(q->Rcvd, 7);
  line += kBar;
  line += FixedWidth(QsoScoreText(*q), 4);
  return line;
}

LogViewModel::LogViewModel(const TLogCollection& log, CommandBus& bus)
    : ViewModel(bus), log_(log), rows_(log.Count()), focused_(log.Count() - 1) {}

std::string LogViewModel::Line(int pos) const {
  if (pos < 0 || pos >= rows_ || !log_.ValidPos(pos)) return {};
  return LogWindowLine(log_, pos);
}

std::vector<std::string> LogViewModel::Lines() const {
  std::vector<std::string> lines;
  lines.reserve(static_cast<std::size_t>(rows_));
  for (int i = 0; i < rows_; ++i) lines.push_back(Line(i));
  return lines;
}

std::string LogViewModel::CountText() const {
  return IntToStr(log_.Count());
}

Changes LogViewModel::Down() {
  if (focused_ + 1 >= rows_) return SelectEntryWindow();
  ++focused_;
  return Note(changed::kList);
}

Changes LogViewModel::Up() {
  if (focused_ <= 0) return changed::kNothing;
  --focused_;
  return Note(changed::kList);
}

Changes LogViewModel::SetFocused(int position) {
  const int last = rows_ - 1;
  const int f = std::clamp(position, last < 0 ? -1 : 0, last);
  if (f == focused_) return changed::kNothing;
  focused_ = f;
  return Note(changed::kList);
}

Changes LogViewModel::SelectEntryWindow() {
  Bus().Broadcast(cm::kSelectEntryWindow);
  return changed::kNothing;
}

bool LogViewModel::Key(KeyCode key, Changes& changes) {
  const KeyBinding* b = FindKey(KeyScope::kLog, key);
  changes = changed::kNothing;
  if (b == nullptr) return false;
  switch (b->action) {
    case KeyAction::kNextQso:
      changes = Down();
      return true;
    case KeyAction::kPreviousQso:
      changes = Up();
      return true;
    case KeyAction::kToEntryWindow:
      changes = SelectEntryWindow();
      return true;
    default:
      return false;
  }
}

void LogViewModel::Press(CommandId broadcast) {
  if (!QsoFocused()) return;
  Bus().Broadcast(broadcast, MessageInfo::Number(focused_));
}

void LogViewModel::EditButton() {
  Press(cm::kEditQso);
}
void LogViewModel::DeleteButton() {
  Press(cm::kDeleteQso);
}
void LogViewModel::InsertButton() {
  Press(cm::kAddQso);
}

// --- keeping in step with the log -----------------------------------------------------------
// Positions come from dialogs and the network; one that does not fit the lines is ignored
// rather than trusted.  A line appended at the end is all a window has to add; any other change
// of the lines asks it to show them all again.

namespace {
constexpr Changes kLinesRemade = changed::kList | changed::kCount | changed::kRefill;
}  // namespace

Changes LogViewModel::Inserted(int pos) {
  if (pos < 0 || pos > rows_ || !log_.ValidPos(pos)) return changed::kNothing;
  ++rows_;
  if (focused_ < 0) focused_ = 0;
  return kLinesRemade;
}

Changes LogViewModel::Edited(int pos) {
  if (pos < 0 || pos >= rows_ || !log_.ValidPos(pos)) return changed::kNothing;
  return kLinesRemade;
}

Changes LogViewModel::Deleted(int pos) {
  if (pos < 0 || pos >= rows_) return changed::kNothing;
  --rows_;
  focused_ = std::min(focused_, rows_ - 1);
  return kLinesRemade;
}

Changes LogViewModel::Appended(int pos) {
  if (!log_.ValidPos(pos)) return changed::kNothing;
  ++rows_;
  focused_ = rows_ - 1;
  return changed::kList | changed::kCount;
}

// Scores and dupe marks may have changed anywhere: every line is made again, the focus stays
// where it was as far as the log still reaches.
Changes LogViewModel::Rescored() {
  rows_ = log_.Count();
  focused_ = std::min(focused_, rows_ - 1);
  if (focused_ < 0 && rows_ > 0) focused_ = 0;
  return kLinesRemade;
}

void LogViewModel::HandleMessage(Message& m) {
  if (m.what == EventClass::kCommand) {
    switch (m.command) {
      case cm::kLogEditButton:
        EditButton();
        break;
      case cm::kLogDeleteButton:
        DeleteButton();
        break;
      case cm::kLogInsertButton:
        InsertButton();
        break;
      default:
        return;
    }
    m.handled = true;
    return;
  }
  if (m.what != EventClass::kBroadcast) return;
  const int pos = m.info.number();
  Changes c = changed::kNothing;
  switch (m.command) {
    case cm::kQsoInserted:
      c = Inserted(pos);
      break;
    case cm::kQsoEdited:
      c = Edited(pos);
      break;
    case cm::kQsoDeleted:
      c = Deleted(pos);
      break;
    case cm::kQsoAppended:
      c = Appended(pos);
      break;
    case cm::kLogRescored:
      c = Rescored();
      break;
    default:
      return;
  }
  Note(c);
  m.handled = true;
}

}  // namespace vk
