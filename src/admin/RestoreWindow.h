#pragma once

#include <QWidget>

namespace core {
class AppContext;
}
class QPushButton;
class QTableWidget;

namespace admin {

// The copies of the database, newest first; one of them replaces the records after the current
// file is itself copied.
class RestoreWindow : public QWidget {
public:
    RestoreWindow(QWidget &mainWindow, core::AppContext &context);

    void refresh();
    void showDetails(int row);
    // Restores the copy of the chosen row; true when the records were replaced.
    bool restoreChosen();

    QTableWidget *copies = nullptr;
    QPushButton *restoreButton = nullptr;
    QPushButton *closeButton = nullptr;

private:
    core::AppContext &context_;
    QStringList paths_;
};

} // namespace admin
