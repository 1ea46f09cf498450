// The key sequences of the common terminals, whatever TERM says.  The toolkit knows the keys
// of the terminal TERM names and a table of its own; a key the terminal sends otherwise (Home
// as ESC [ 1 ~ from tmux or screen under TERM=xterm, ESC O H from xterm under TERM=screen, F1
// as ESC [ [ A from the Linux console) matched nothing, and the toolkit then dropped it with
// every key typed after it until its 100 ms timeout.
#pragma once

namespace vk::ui {

// Adds the sequences of xterm, tmux/screen, rxvt and the Linux console that the terminal's own
// entries lack to the keyboard's table.  Call once the terminal is initialised (after the
// first show of the main widget); returns how many were added.
int AddCommonKeySequences();

}  // namespace vk::ui
