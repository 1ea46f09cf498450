// The keyboard side of the application object: the global keys in front of the toolkit's own
// key handling, which is redone here because the stock version cannot be intercepted.
#include "app/key_translation.h"
#include "tui/key_map.h"
#include "tui/screen_text.h"
#include "ui/shell/vork_app.h"

namespace vk::ui {

using finalcut::Event;
using finalcut::FKey;
using finalcut::FKeyEvent;
using finalcut::FWidget;
using finalcut::FWindow;

namespace {

bool MenuBarActive() {
  if (FWidget::getOpenMenu() != nullptr) return true;
  auto* menu = FWidget::getMenuBar();
  return menu != nullptr && menu->hasSelectedItem();
}

// The widget that gets a key.  Leaving the menu bar on an empty desktop leaves the focus on a
// menu-bar item; keys must then go to the desktop, or Alt+F10 would never open the menu again.
FWidget* KeyTarget(FWidget* mainWidget) {
  FWidget* w = FWidget::getMoveSizeWidget();
  if (w == nullptr) w = FWidget::getFocusWidget();
  if (w == nullptr) w = finalcut::FApplication::getKeyboardWidget();
  if (w == nullptr) return mainWidget;
  const FWindow* win = FWindow::getWindowWidget(w);
  if (win != nullptr && win->isMenuWidget() && !MenuBarActive()) return mainWidget;
  return w;
}

// A field that edits by PC codes, offered the key where the toolkit would send it the key press:
// not while a modal dialog keeps the keys from the other windows.
bool TakenByField(FWidget* w, KeyCode pc, bool modalRunning) {
  auto* taker = dynamic_cast<KeyTaker*>(w);
  if (taker == nullptr || pc == 0) return false;
  if (modalRunning) {
    const FWindow* win = FWindow::getWindowWidget(w);
    if (win != nullptr && !win->getFlags().modal && !win->isMenuWidget()) return false;
  }
  return taker->TakeKey(pc);
}

}  // namespace

bool VorkApp::GlobalKeysActive() const {
  if (getModalDialogCounter() > 0 || MenuBarActive()) return false;
  FWidget* focus = getFocusWidget();
  const FWindow* win = focus != nullptr ? FWindow::getWindowWidget(focus) : nullptr;
  return win == nullptr || !win->getFlags().modal;
}

void VorkApp::OnKey(FKey key) {
  // Keys read with the one that closed a box would go to the closed box, whose loop has not
  // ended yet: they wait for the loop it returns to.
  if (!LoopGoesOn()) {
    heldKeys_.push_back(key);
    return;
  }
  key = NormalizeKey(key);
  const KeyCode pc = PcKeyCode(key, [this](char32_t c) { return TypedCp866(this, c); });
  if (!GlobalKeysActive()) {
    shell_.NoteKey(pc);
    Dispatch(key, pc);
    return;
  }
  if (const CommandId c = MenuHotKeyCommand(pc); c != 0) {
    shell_.NoteKey(pc);
    bus_.PostCommand(c);
    return;
  }
  const KeyTranslation t = shell_.HandleKey(pc);
  if (t.kind == KeyTranslation::Kind::kKeyer) {
    if (pc == kb::kEsc) {
      if (auto* w = dynamic_cast<LeftOnEscape*>(getActiveWindow())) w->LeaveOnEscape();
    }
    return;
  }
  if (HandleWindowKey(pc)) return;
  if (t.kind == KeyTranslation::Kind::kReplace) {
    // The toolkit must see the substitute too (Alt+F10 opens the menu as F10).
    key = ToolkitKey(t.key);
    Dispatch(key, t.key);
    return;
  }
  Dispatch(key, pc);
}

// The stock dispatch, with four changes: keys go to the widget that has the focus now (not the
// one that had it when the input was read, which loses keys typed ahead), the owning window may
// take a key before its fields, a field that edits by PC codes gets the code instead of the
// toolkit's key press, and while a modal dialog runs only its own accelerators count.
void VorkApp::Dispatch(FKey key, KeyCode pc) {
  if (key == FKey::Ctrl_l) {
    redraw();
    return;
  }
  FWidget* w = KeyTarget(getMainWidget());
  if (w != nullptr) {
    if (getMoveSizeWidget() == nullptr) {
      if (auto* p = dynamic_cast<KeyPreview*>(FWindow::getWindowWidget(w))) {
        if (p->PreviewKey(pc)) return;
      }
    }
    if (key == FKey::Escape) {
      FKeyEvent esc{Event::KeyPress, key};
      sendEvent(w, &esc);
      return;
    }
    FKeyEvent down{Event::KeyDown, key};
    sendEvent(w, &down);
    if (TakenByField(w, pc, getModalDialogCounter() > 0)) return;
    FKeyEvent press{Event::KeyPress, key};
    sendEvent(w, &press);
    if (down.isAccepted() || press.isAccepted()) return;
  }
  if (getOpenMenu() == nullptr) RunAccelerators(key);
}

bool VorkApp::RunAccelerators(FKey key) {
  FWidget* scopes[2] = {getActiveWindow(), nullptr};
  if (getModalDialogCounter() == 0) scopes[1] = getRootWidget();
  for (FWidget* scope : scopes) {
    if (scope == nullptr) continue;
    for (const auto& a : scope->getAcceleratorList()) {
      if (a.key != key) continue;
      if (FWidget* move = getMoveSizeWidget()) {
        setMoveSizeWidget(nullptr);
        move->redraw();
      }
      finalcut::FAccelEvent ev{Event::Accelerator, getFocusWidget()};
      sendEvent(a.object, &ev);
      if (ev.isAccepted()) return true;
      break;
    }
  }
  return false;
}

}  // namespace vk::ui
