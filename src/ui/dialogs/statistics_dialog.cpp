#include "ui/dialogs/statistics_dialog.h"

#include <algorithm>

#include "tui/screen_text.h"
#include "tui/tv_dialog.h"

namespace vk::ui {

namespace {

// As wide and tall as the tables, within the classic screen.
class StatisticsDialog final : public TvDialog {
 public:
  StatisticsDialog(finalcut::FWidget* parent, const std::vector<std::string>& lines, int width,
                   int height)
      : TvDialog(parent, "Statistics", width, height) {
    const int top = AddOkRow(ok_);
    for (const std::string& l : lines) view_.append(ScreenText(this, l));
    // The rows above the button row; the view scrolls what does not fit.
    view_.setGeometry(
        finalcut::FPoint{1, top},
        finalcut::FSize{static_cast<std::size_t>(width - 2), static_cast<std::size_t>(height - 2)});
    view_.setFocus();
  }

 private:
  finalcut::FTextView view_{this};
  finalcut::FButton ok_{"O&K", this};
};

}  // namespace

void RunStatisticsDialog(finalcut::FWidget* parent, const std::vector<std::string>& lines) {
  std::size_t longest = 20;
  for (const std::string& l : lines) longest = std::max(longest, l.size());
  const int width = std::min(static_cast<int>(longest) + 4, 76);
  const int height = std::min(static_cast<int>(lines.size()) + 3, 20);
  StatisticsDialog d(parent, lines, width, height);
  (void)d.Run();
}

}  // namespace vk::ui
