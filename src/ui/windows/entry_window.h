// The entry window "[Новая связь]" on the terminal: the contest clock, frequency and mode, the
// network activity indicator, the Call, TxNr and RxNr lines and the two message lines.  It
// shows what EntryModel holds and hands it every key before the lines see one; it never moves,
// resizes, zooms or closes, and sits on the bottom rows of the desktop.
#pragma once

#include <final/final.h>

#include <array>

#include "app/views/entry_window_model.h"
#include "app/views/esm_model.h"
#include "tui/input_line.h"
#include "tui/text_view.h"
#include "tui/window_select.h"
#include "ui/windows/docked_window.h"

namespace vk::ui {

class EntryWindow final : public DockedWindow, public KeyPreview {
 public:
  // `esm` (nullptr: Enter only checks and logs) decides what Enter sends.
  EntryWindow(finalcut::FWidget* desktop, EntryModel& model, EsmModel* esm = nullptr);
  ~EntryWindow() override;
  EntryWindow(const EntryWindow&) = delete;
  EntryWindow& operator=(const EntryWindow&) = delete;

  // The clock, frequency and mode views follow the model on every tick; the rest only when the
  // model reports a change.
  void Tick();
  // The line the model has the focus on.
  InputLine& FocusedLine() { return LineOf(model_.Focus()); }

  bool PreviewKey(KeyCode key) override;

  void onClose(finalcut::FCloseEvent* ev) override { ev->ignore(); }
  // Neither the mouse nor the keyboard moves this window; its home is columns 0-50 of the last
  // ten rows of the desktop.
  void move(const finalcut::FPoint&) override {}

 private:
  InputLine& LineOf(EntryField f);
  void ShowClock();
  void ShowLines(Changes c);
  void ShowFocus();
  // The row that says whether the station runs or searches and which message keys the next
  // Enter sends, those keys highlighted.
  void ShowEsm();
  void WireLine(InputLine& line, EntryField f);
  void WireClicks();

  EntryModel& model_;
  EsmModel* esm_;
  TextView date_{this, 1, 1, 10};
  TextView time_{this, 12, 1, 8};
  TextView freq_{this, 21, 1, 10, TextView::Align::kRight};
  TextView mode_{this, 32, 1, 4};
  TextView zone_{this, 38, 1, 6};
  TextView activity_{this, 47, 1, 2};
  TextView style_{this, 1, 2, 7};
  std::array<TextView, 8> esmKeys_{
      TextView{this, 9, 2, 2},  TextView{this, 12, 2, 2}, TextView{this, 15, 2, 2},
      TextView{this, 18, 2, 2}, TextView{this, 21, 2, 2}, TextView{this, 24, 2, 2},
      TextView{this, 27, 2, 2}, TextView{this, 30, 2, 2}};
  TextView esmWhat_{this, 33, 2, 15};
  finalcut::FLabel callLabel_{"Call:", this};
  InputLine call_{this, kCallLineLength};
  finalcut::FLabel txLabel_{"TxNr:", this};
  InputLine txNr_{this, kTxNrLineLength};
  finalcut::FLabel rxLabel_{"RxNr:", this};
  InputLine rxNr_{this, kRxNrLineLength};
  TextView message2_{this, 2, 6, kMessageWidth, TextView::Align::kCentre};
  TextView message1_{this, 2, 7, kMessageWidth, TextView::Align::kCentre};
};

}  // namespace vk::ui
