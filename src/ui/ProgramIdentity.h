#pragma once

#include <QString>

namespace ui {

// The program's name as the menu entry shows it, and as every message box is titled.
QString programName();

// The installed menu entry, homework-tracker.desktop, by the name the desktop knows it.
QString desktopEntryName();

// The menu entry's icon on every window, and the entry's name given to the desktop, so that the
// taskbar shows the icon and groups the windows under the entry.
void setProgramIdentity();

} // namespace ui
