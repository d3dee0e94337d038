#pragma once

class QListWidget;
class QPushButton;
class QWidget;

namespace ui {

// The program's own look: one style and a font with Chinese glyphs for every window.
void applyApplicationStyle();

// Red bold text for messages the teacher must not miss.
void showAsWarning(QWidget *widget);

// Shrinks the button's font until its whole caption fits; a caption too long even then loses its
// middle on the button and shows whole as the tooltip.
void fitCaption(QPushButton *button);

// Rows of the pupil list are 16 pixels high.
void setItemHeight(QListWidget *list, int pixels);

} // namespace ui
