#include "ui/MainWindowParts.h"

#include "ui/Form1Controls.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace ui {

void leaveByNameView(Form1Controls &ui)
{
    for (QWidget *view : {static_cast<QWidget *>(ui.List6), static_cast<QWidget *>(ui.List7),
                          static_cast<QWidget *>(ui.Command14)})
        view->hide();
    for (QPushButton *filter : ui.Command15)
        filter->hide();
    ui.Text1->setFocus();
}

void startQuery(Form1Controls &ui)
{
    leaveByNameView(ui);
    placeTodayButtons(ui);
    ui.List1->clear();
}

} // namespace ui
