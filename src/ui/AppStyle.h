#pragma once

class QListWidget;

namespace ui {

// The program's own look: one style and a font with Chinese glyphs for every window.
void applyApplicationStyle();

// Rows of the pupil list are 16 pixels high.
void setItemHeight(QListWidget *list, int pixels);

} // namespace ui
