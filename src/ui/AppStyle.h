#pragma once

class QListWidget;
class QWidget;

namespace ui {

// The program's own look: one style and a font with Chinese glyphs for every window.
void applyApplicationStyle();

// Red bold text for messages the teacher must not miss.
void showAsWarning(QWidget *widget);

// Rows of the pupil list are this many pixels high at the design size.
void setItemHeight(QListWidget *list, int pixels);

} // namespace ui
