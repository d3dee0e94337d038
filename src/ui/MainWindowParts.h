#pragma once

class QWidget;

namespace core {
class AppContext;
}

namespace ui {

struct Form1Controls;

// What a part of the main window is built on: the window its dialogs open over, the controls of
// its panels, and the run whose owners it calls.
struct MainWindowParts {
    QWidget &window;
    Form1Controls &controls;
    core::AppContext &context;
};

// Every query starts from the status area: the per-pupil view would hide its lists.
void leaveByNameView(Form1Controls &ui);
void startQuery(Form1Controls &ui);

} // namespace ui
