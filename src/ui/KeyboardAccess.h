#pragma once

class QMainWindow;
class QWidget;

namespace ui {

// Alt alone and F10 open the window's first menu, as on the desktops teachers know.
void openMenusFromTheKeyboard(QMainWindow *window);

// Outside a dialog Enter does nothing on a button: in this window it presses the focused one, as
// Space does. Covers the buttons the window holds now.
void pressFocusedButtonsWithEnter(QWidget *window);

} // namespace ui
