#pragma once

#include "labels/LabelPlan.h"
#include "ui/MainWindowParts.h"
#include "labels/PrinterAdjustment.h"

#include <QWidget>

#include <array>
#include <functional>
#include <memory>

namespace core {
class AppContext;
}
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QListWidget;
class QRadioButton;
class QSpinBox;

namespace labels {

class LabelPages;
class LabelPreview;

// The window that prints the book-code labels of the first class.
class LabelWindow : public QWidget {
public:
    LabelWindow(QWidget &mainWindow, core::AppContext &context);

    // Shows the window with the class and books as the main window holds them now.
    void open();

    // The choices as they stand in the window.
    LabelRequest request() const;

    void saveAsPdf();
    void print();

    QString outputFolder() const;

private:
    void buildBooks(QWidget *column);
    void buildPupils(QWidget *column);
    void buildSheet(QWidget *column);
    void buildOrder(QWidget *column);
    void buildPrinterAdjustment(QWidget *column);
    void loadFromState();
    PrinterAdjustment adjustment() const;
    void saveAdjustment();
    void showSheet(int choice);
    LabelSheet sheet() const;
    void refresh();
    // Changes controls without a redraw for each of them.
    void quietly(const std::function<void()> &change);

    // The chosen labels with the pages ready to paint, or why they cannot be made.
    struct Prepared {
        LabelPlan plan;
        std::shared_ptr<const LabelPages> pages;
        QString problem;
    };
    Prepared prepare(const LabelRequest &chosen, bool firstPageOnly) const;

    core::AppContext &context_;
    QListWidget *books_ = nullptr;
    QLabel *classLabel_ = nullptr;
    // Takes the label's place for a teacher of two classes.
    QComboBox *classChoice_ = nullptr;
    QSpinBox *firstPupil_ = nullptr;
    QSpinBox *lastPupil_ = nullptr;
    QComboBox *sheetChoice_ = nullptr;
    QSpinBox *rows_ = nullptr;
    QSpinBox *columns_ = nullptr;
    // Label width and height, left and top margin, gap across and down.
    std::array<QDoubleSpinBox *, 6> measures_{};
    QRadioButton *byBook_ = nullptr;
    QRadioButton *byPupil_ = nullptr;
    QDoubleSpinBox *offsetAcross_ = nullptr;
    QDoubleSpinBox *offsetDown_ = nullptr;
    QCheckBox *cutBorders_ = nullptr;
    QLabel *summary_ = nullptr;
    LabelPreview *preview_ = nullptr;
    // Nothing is drawn until every control is there.
    bool loading_ = true;
};

} // namespace labels

// Adds "条形码标签打印" to the main window's document menu; no login is needed.
void installLabelPrinting(const ui::MainWindowParts &parts);
