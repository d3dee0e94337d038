#pragma once

#include <QMargins>
#include <QRect>

class QWidget;

namespace ui {

// A window's frame (title bar and borders) is known only once a window manager has drawn it, and
// differs from one desktop to the next: every window is fitted by it after it is shown.

// Brings a shown window with that frame inside the available area: a window laid out by its layout
// is made smaller down to what the layout allows, a window laid out in twips is shrunk with its
// controls and the program's fonts, then the window is moved in.
void fitFrameInside(QWidget *window, const QMargins &frame, const QRect &available);

// From now on every window of the program is fitted by its real frame into its screen's available
// area once it is shown. Called once, before the first window is shown.
void keepWindowsOnScreen();

} // namespace ui
