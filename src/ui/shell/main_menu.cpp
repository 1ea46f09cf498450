#include "ui/shell/main_menu.h"

#include <algorithm>
#include <string>
#include <utility>

#include "app/status_texts.h"
#include "tui/screen_text.h"
#include "util/menu_text.h"

namespace vk::ui {

namespace {

finalcut::FString WithHint(std::string_view label, std::string_view hint) {
  return finalcut::FString{LabelWithHint(label, hint)};
}

}  // namespace

MainMenu::MainMenu(finalcut::FWidget* desktop, Issue issue)
    : finalcut::FMenuBar(desktop),
      issue_(std::move(issue)),
      banner_(this, kBannerColumnFromRight, kBannerColumnFromRight - kClockColumnFromRight),
      clock_(this) {
  AddRows();
}

finalcut::FString MainMenu::RowLabel(CommandId command) {
  const CommandRow* row = FindCommand(command);
  return finalcut::FString{row != nullptr ? std::string(row->label) : std::string()};
}

finalcut::FMenu* MainMenu::MenuOf(MenuTitle title) {
  switch (title) {
    case MenuTitle::kFile:
      return &file_;
    case MenuTitle::kOptions:
      return &options_;
    case MenuTitle::kTools:
      return &tools_;
    case MenuTitle::kHelp:
      return &help_;
    case MenuTitle::kNone:
      break;
  }
  return nullptr;
}

void MainMenu::AddRows() {
  for (const CommandRow& row : CommandRows()) {
    finalcut::FMenu* menu = MenuOf(row.menu);
    if (menu == nullptr) continue;
    if (row.label.empty()) {
      (new finalcut::FMenuItem(menu))->setSeparator();
      continue;
    }
    if (row.command == cm::kNewContest) {  // the first row of File, as the submenu is
      Wire(world_, cm::kNewContest);
      continue;
    }
    const std::string hint = MenuHint(row);
    finalcut::FString text =
        hint.empty() ? finalcut::FString{std::string(row.label)} : WithHint(row.label, hint);
    Wire(*new finalcut::FMenuItem(std::move(text), menu), row.command);
  }
}

void MainMenu::Wire(finalcut::FMenuItem& item, CommandId command) {
  item.addCallback("clicked", [this, command] { issue_(command); });
}

void MainMenu::AddContest(int k, std::string_view cp866Title) {
  // Only these numbers are dispatched.
  if (k < 1 || k > cm::kMaxNewContest) return;
  // Owned by the submenu, which deletes its children.
  auto* item = new finalcut::FMenuItem(MenuLabel(this, cp866Title), &newContest_);
  Wire(*item, static_cast<CommandId>(cm::kNewContest + k));
}

int MainMenu::TitlesEnd() {
  // The bar draws each title with one blank on either side from the first column; the hot-key
  // marker takes no column.
  int end = 0;
  for (finalcut::FMenu* m : {&file_, &options_, &tools_, &help_}) {
    const finalcut::FString& t = m->getItem()->getText();
    end += static_cast<int>(t.getLength()) + 2 - (t.includes(L"&") ? 1 : 0);
  }
  return end;
}

void MainMenu::ShowBanner(std::string_view ownCall, std::string_view contestDisplayName) {
  ownCall_.assign(ownCall);
  contestName_.assign(contestDisplayName);
  FitBannerToRow();
}

void MainMenu::FitBannerToRow() {
  const std::string_view ownCall = ownCall_, contestDisplayName = contestName_;
  const int room = static_cast<int>(getDesktopWidth()) - TitlesEnd() - kClockColumnFromRight - 1;
  const std::string text =
      FitBanner(ownCall, contestDisplayName, static_cast<std::size_t>(std::max(room, 1)));
  const bool moved =
      banner_.SetSpan(kClockColumnFromRight + 1 + static_cast<int>(text.size()), text.size());
  banner_.SetText(text);
  if (moved && isShown()) {
    // The bar repaints its titles over the whole row; the banner goes back on top.
    redraw();
    banner_.redraw();
  }
}

void MainMenu::adjustSize() {
  finalcut::FMenuBar::adjustSize();
  // The toolkit repaints the bar after this; the next idle pass fits and draws the banner.
  banner_.Place(getDesktopWidth());
  banner_.Invalidate();
  clock_.Place(getDesktopWidth());
}

}  // namespace vk::ui
