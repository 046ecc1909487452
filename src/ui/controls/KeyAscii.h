#pragma once

class QKeyEvent;

namespace ui {

// The character code a key press types, in the form the program's KeyPress handlers take it:
// 27 for Escape, 13 for Enter, 8 for Backspace, the character for keys that type one (control
// characters included) and 0 for keys that type nothing, such as arrows and Delete.
int keyAscii(const QKeyEvent& event);

} // namespace ui
