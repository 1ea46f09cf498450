#include "ui/dialogs/contest_list_dialog.h"

#include <algorithm>

#include "tui/desktop_rows.h"
#include "tui/screen_text.h"
#include "tui/tv_dialog.h"

namespace vk::ui {

using finalcut::FPoint;
using finalcut::FSize;

namespace {

constexpr int kListWidth = 46;  // a 40-character title, the list's frame and scroll bar
constexpr int kButtonWidth = 10;
constexpr int kWidth = kListWidth + kButtonWidth + 4;

// Enter goes on to the dialog, which presses OK.
class ContestListBox final : public finalcut::FListBox {
 public:
  using finalcut::FListBox::FListBox;
  void onKeyPress(finalcut::FKeyEvent* ev) override {
    if (ev->key() == finalcut::FKey::Enter || ev->key() == finalcut::FKey::Return) {
      ev->ignore();
      return;
    }
    finalcut::FListBox::onKeyPress(ev);
  }
};

class ContestListDialog final : public TvDialog {
 public:
  ContestListDialog(finalcut::FWidget* parent, const std::vector<std::string>& titles, int height)
      : TvDialog(parent, "New contest", kWidth, height) {
    list_.setGeometry(FPoint{1, 1}, FSize{static_cast<std::size_t>(kListWidth),
                                          static_cast<std::size_t>(height - 2)});
    for (const std::string& t : titles) list_.insert(ScreenText(this, t));
    ok_.setGeometry(FPoint{kListWidth + 2, 2}, FSize{kButtonWidth, 1});
    cancel_.setGeometry(FPoint{kListWidth + 2, 4}, FSize{kButtonWidth, 1});
    ok_.addCallback("clicked", [this] { Accept(); });
    cancel_.addCallback("clicked", [this] { done(ResultCode::Reject); });
    SetDefaultButton(&ok_);
    list_.setFocus();
  }
  // The toolkit counts the items from 1.
  int Chosen() const { return static_cast<int>(list_.currentItem()) - 1; }

 private:
  ContestListBox list_{this};
  finalcut::FButton ok_{"O&K", this};
  finalcut::FButton cancel_{"&Cancel", this};
};

}  // namespace

std::optional<int> RunContestListDialog(finalcut::FWidget* desktop,
                                        const std::vector<std::string>& cp866Titles) {
  if (cp866Titles.empty()) return std::nullopt;
  // Every title when the desktop has the rows; otherwise the list scrolls.  The toolkit's
  // title bar takes one row more than the classic frame counts.
  const int rows = std::max(DesktopRows(*desktop) - 1, 8);
  const int height = std::min(static_cast<int>(cp866Titles.size()) + 2, rows);
  int chosen = -1;
  {
    ContestListDialog d{desktop, cp866Titles, height};
    if (!d.Run()) return std::nullopt;
    chosen = d.Chosen();
  }
  if (chosen < 0 || chosen >= static_cast<int>(cp866Titles.size())) return std::nullopt;
  return chosen;
}

}  // namespace vk::ui
