// The end of the program with the log still unsaved: the log in memory is the only copy of the
// QSOs the file lacks, so the program does not end before the operator has chosen.
#include <cstdlib>

#include "log/journal.h"
#include "tui/focus_return.h"
#include "tui/screen_text.h"
#include "ui/shell/vork_app.h"

namespace vk::ui {

namespace {

using Button = finalcut::FMessageBox::ButtonType;

// Breaks a long message into lines of at most `width` characters at spaces.
std::string Wrap(std::string_view text, std::size_t width) {
  std::string out;
  std::size_t lineStart = 0;
  std::size_t lastSpace = std::string::npos;
  for (char c : text) {
    out += c;
    if (c == '\n') {
      lineStart = out.size();
      lastSpace = std::string::npos;
      continue;
    }
    if (c == ' ') lastSpace = out.size() - 1;
    if (out.size() - lineStart > width && lastSpace != std::string::npos && lastSpace > lineStart) {
      out[lastSpace] = '\n';
      lineStart = lastSpace + 1;
      lastSpace = std::string::npos;
    }
  }
  return out;
}

std::string HomeDir() {
  const char* home = std::getenv("HOME");
  return home != nullptr && *home != '\0' ? std::string(home) : std::string("/tmp");
}

}  // namespace

void VorkApp::ShowLongInformation(std::string_view cp866Text) {
  std::string text(cp866Text);
  for (std::size_t at = text.find("; "); at != std::string::npos; at = text.find("; ", at)) {
    text.replace(at, 2, "\n");
  }
  ShowMessage(desktop_.get(), "Information", ScreenText(this, Wrap(text, 64)));
}

bool VorkApp::LogSafeToQuit() {
  if (shell_.state().DiscardLog) return true;
  const std::string home = HomeDir();
  while (true) {
    const Status s = station_.WriteLogOnExit(false);
    if (s) return true;
    const std::string text = "The log is not saved: " + s.message +
                             "\n\nRetry: try again\nIgnore: save it in " + home +
                             "\nAbort: quit and lose the QSOs not saved\nEsc: back to the log";
    MessageBox box{"Log not saved", ScreenText(this, Wrap(text, 64)),
                   Button::Retry,   Button::Ignore,
                   Button::Abort,   desktop_.get()};
    finalcut::FVTerm::getFOutput()->beep();
    const Button answer = box.exec();
    if (answer == Button::Retry) continue;
    if (answer == Button::Abort) {
      JournalAppend(station_.journal(),
                    "Exit: the log was not saved (" + s.message + "); the operator quit");
      exitCode_ = 1;
      return true;
    }
    if (answer != Button::Ignore) return false;
    std::string path;
    if (const Status c = station_.SaveLogCopy(home, path); !c) {
      ShowErrorBox("Not saved: " + c.message);
      continue;
    }
    JournalAppend(station_.journal(), "Exit: the log was saved to " + path);
    ShowLongInformation("The log is saved to " + path);
    return true;
  }
}

}  // namespace vk::ui
