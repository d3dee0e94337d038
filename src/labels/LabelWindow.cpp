#include "labels/LabelWindow.h"

#include "labels/LabelOutput.h"
#include "labels/LabelPages.h"
#include "labels/LabelPreview.h"
#include "store/TextValue.h"
#include "state/AppContext.h"
#include "state/MasterData.h"
#include "state/WorkingDay.h"
#include "ui/DatabaseGuard.h"
#include "ui/Form1Controls.h"
#include "ui/KeyboardAccess.h"
#include "ui/MessagePresenter.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

namespace labels {

namespace {

constexpr int kChoiceColumnWidth = 360;
// Many laser printers leave this much of the paper's edge blank (a sixth of an inch).
constexpr double kUnprintableEdge = 4.2;
constexpr double kLargestOffset = 20;
const QColor kProblemColour(0xb0, 0x00, 0x20);
const QColor kWarningColour(0x9a, 0x50, 0x00);

QPushButton *button(QWidget *parent, const char *name, const char *caption)
{
    auto *b = new QPushButton(QString::fromUtf8(caption), parent);
    b->setObjectName(QLatin1String(name));
    return b;
}

QWidget *choiceColumn(QWidget *window)
{
    auto *column = new QWidget(window);
    column->setFixedWidth(kChoiceColumnWidth);
    new QVBoxLayout(column);
    column->layout()->setContentsMargins(0, 0, 0, 0);
    return column;
}

// A box with its caption in front of it, the caption naming it for screen readers too.
void addLabelled(QGridLayout *grid, int row, int column, const QString &caption, QWidget *box)
{
    auto *label = new QLabel(caption);
    label->setBuddy(box);
    box->setAccessibleName(caption);
    grid->addWidget(label, row, column);
    grid->addWidget(box, row, column + 1);
}

// A sheet's measures in the order of the window's boxes.
std::array<double *, 6> measuresOf(LabelSheet &sheet)
{
    return {&sheet.labelWidth, &sheet.labelHeight, &sheet.marginLeft, &sheet.marginTop, &sheet.gapX, &sheet.gapY};
}

class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;
};

} // namespace

LabelWindow::LabelWindow(QWidget &mainWindow, core::AppContext &context)
    : QWidget(&mainWindow, Qt::Window), context_(context)
{
    setObjectName(QStringLiteral("labelWindow"));
    setWindowTitle(QStringLiteral("条形码标签打印"));
    // What is printed on the left, the paper and the printer beside it, the first page on the right.
    QWidget *what = choiceColumn(this);
    QWidget *paper = choiceColumn(this);
    buildBooks(what);
    buildPupils(what);
    buildOrder(what);
    static_cast<QVBoxLayout *>(what->layout())->addStretch();
    buildSheet(paper);
    buildPrinterAdjustment(paper);

    summary_ = new QLabel(paper);
    summary_->setObjectName(QStringLiteral("summary"));
    summary_->setWordWrap(true);
    auto *choices = static_cast<QVBoxLayout *>(paper->layout());
    choices->addWidget(summary_);
    choices->addStretch();
    auto *buttons = new QHBoxLayout;
    QPushButton *save = button(paper, "saveAsPdf", "保存为PDF");
    QPushButton *print = button(paper, "print", "打印");
    QPushButton *close = button(paper, "close", "关闭");
    for (QPushButton *b : {save, print, close})
        buttons->addWidget(b);
    choices->addLayout(buttons);
    connect(save, &QPushButton::clicked, this, [this] { saveAsPdf(); });
    connect(print, &QPushButton::clicked, this, [this] { this->print(); });
    connect(close, &QPushButton::clicked, this, [this] { this->close(); });

    preview_ = new LabelPreview(this);
    auto *columns = new QHBoxLayout(this);
    columns->addWidget(what);
    columns->addWidget(paper);
    columns->addWidget(preview_, 1);
    ui::pressFocusedButtonsWithEnter(this);
    loading_ = false;
}

void LabelWindow::quietly(const std::function<void()> &change)
{
    const bool was = loading_;
    loading_ = true;
    change();
    loading_ = was;
}

void LabelWindow::buildBooks(QWidget *column)
{
    auto *frame = new QGroupBox(QStringLiteral("作业本"), column);
    frame->setObjectName(QStringLiteral("booksFrame"));
    auto *layout = new QGridLayout(frame);
    books_ = new QListWidget(frame);
    books_->setObjectName(QStringLiteral("books"));
    books_->setAccessibleName(QStringLiteral("作业本"));
    books_->setFixedHeight(120);
    layout->addWidget(books_, 0, 0, 1, 2);
    QPushButton *all = button(frame, "allBooks", "全选");
    QPushButton *none = button(frame, "noBooks", "全不选");
    layout->addWidget(all, 1, 0);
    layout->addWidget(none, 1, 1);
    const auto tickAll = [this](Qt::CheckState state) {
        quietly([&] {
            for (int i = 0; i < books_->count(); ++i)
                books_->item(i)->setCheckState(state);
        });
        refresh();
    };
    connect(all, &QPushButton::clicked, this, [tickAll] { tickAll(Qt::Checked); });
    connect(none, &QPushButton::clicked, this, [tickAll] { tickAll(Qt::Unchecked); });
    connect(books_, &QListWidget::itemChanged, this, [this] { refresh(); });
    column->layout()->addWidget(frame);
}

void LabelWindow::buildPupils(QWidget *column)
{
    auto *frame = new QGroupBox(QStringLiteral("学生"), column);
    frame->setObjectName(QStringLiteral("pupilsFrame"));
    auto *layout = new QGridLayout(frame);
    classLabel_ = new QLabel(frame);
    classLabel_->setObjectName(QStringLiteral("classLabel"));
    layout->addWidget(classLabel_, 0, 0);
    classChoice_ = new QComboBox(frame);
    classChoice_->setObjectName(QStringLiteral("classChoice"));
    classChoice_->setAccessibleName(QStringLiteral("班级"));
    layout->addWidget(classChoice_, 0, 0);
    connect(classChoice_, &QComboBox::activated, this, [this] {
        quietly([this] {
            firstPupil_->setValue(1);
            lastPupil_->setValue(classSize(context_.master().records(), classChoice_->currentIndex() + 1));
        });
        refresh();
    });
    firstPupil_ = new QSpinBox(frame);
    lastPupil_ = new QSpinBox(frame);
    firstPupil_->setObjectName(QStringLiteral("firstPupil"));
    lastPupil_->setObjectName(QStringLiteral("lastPupil"));
    // The whole range the code holds: a number beyond the class is told, not silently cut.
    for (QSpinBox *box : {firstPupil_, lastPupil_}) {
        box->setRange(0, core::kPupils);
        connect(box, &QSpinBox::valueChanged, this, [this] { refresh(); });
    }
    addLabelled(layout, 0, 1, QStringLiteral("学号从"), firstPupil_);
    addLabelled(layout, 0, 3, QStringLiteral("到"), lastPupil_);
    layout->setColumnStretch(0, 1);
    column->layout()->addWidget(frame);
}

void LabelWindow::buildSheet(QWidget *column)
{
    auto *frame = new QGroupBox(QStringLiteral("标签纸（A4）"), column);
    frame->setObjectName(QStringLiteral("sheetFrame"));
    auto *layout = new QGridLayout(frame);
    sheetChoice_ = new QComboBox(frame);
    sheetChoice_->setObjectName(QStringLiteral("sheetChoice"));
    sheetChoice_->setAccessibleName(QStringLiteral("标签纸"));
    for (const SheetPreset &preset : sheetPresets())
        sheetChoice_->addItem(preset.name);
    sheetChoice_->addItem(QStringLiteral("自定义"));
    layout->addWidget(sheetChoice_, 0, 0, 1, 4);

    rows_ = new QSpinBox(frame);
    columns_ = new QSpinBox(frame);
    rows_->setObjectName(QStringLiteral("rows"));
    columns_->setObjectName(QStringLiteral("columns"));
    for (QSpinBox *box : {rows_, columns_}) {
        box->setRange(0, 40);
        connect(box, &QSpinBox::valueChanged, this, [this] { refresh(); });
    }
    addLabelled(layout, 1, 0, QStringLiteral("行数"), rows_);
    addLabelled(layout, 1, 2, QStringLiteral("列数"), columns_);
    const char *names[] = {"labelWidth", "labelHeight", "marginLeft", "marginTop", "gapX", "gapY"};
    const char *captions[] = {"标签宽", "标签高", "左边距", "上边距", "横向间距", "纵向间距"};
    for (int i = 0; i < int(measures_.size()); ++i) {
        auto *box = new QDoubleSpinBox(frame);
        box->setObjectName(QLatin1String(names[i]));
        box->setDecimals(2);
        box->setRange(0, kPageHeight);
        box->setSuffix(QStringLiteral(" 毫米"));
        connect(box, &QDoubleSpinBox::valueChanged, this, [this] { refresh(); });
        measures_[i] = box;
        addLabelled(layout, 2 + i / 2, (i % 2) * 2, QString::fromUtf8(captions[i]), box);
    }
    connect(sheetChoice_, &QComboBox::currentIndexChanged, this, [this](int choice) { showSheet(choice); });
    column->layout()->addWidget(frame);
    showSheet(0);
}

void LabelWindow::buildOrder(QWidget *column)
{
    auto *frame = new QGroupBox(QStringLiteral("排列"), column);
    frame->setObjectName(QStringLiteral("orderFrame"));
    auto *layout = new QHBoxLayout(frame);
    byBook_ = new QRadioButton(QStringLiteral("按作业本排列"), frame);
    byPupil_ = new QRadioButton(QStringLiteral("按学生排列"), frame);
    byBook_->setObjectName(QStringLiteral("byBook"));
    byPupil_->setObjectName(QStringLiteral("byPupil"));
    byBook_->setChecked(true);
    layout->addWidget(byBook_);
    layout->addWidget(byPupil_);
    connect(byBook_, &QRadioButton::toggled, this, [this] { refresh(); });
    column->layout()->addWidget(frame);
}

// The shift is for a printer that places everything a little off; it goes into the PDF too, so
// that a PDF printed elsewhere lands as the print does.
void LabelWindow::buildPrinterAdjustment(QWidget *column)
{
    auto *frame = new QGroupBox(QStringLiteral("打印位置校正"), column);
    frame->setObjectName(QStringLiteral("printerFrame"));
    auto *layout = new QGridLayout(frame);
    offsetAcross_ = new QDoubleSpinBox(frame);
    offsetDown_ = new QDoubleSpinBox(frame);
    offsetAcross_->setObjectName(QStringLiteral("offsetAcross"));
    offsetDown_->setObjectName(QStringLiteral("offsetDown"));
    offsetAcross_->setToolTip(QStringLiteral("印出的内容偏左时填正数，偏右时填负数"));
    offsetDown_->setToolTip(QStringLiteral("印出的内容偏上时填正数，偏下时填负数"));
    for (QDoubleSpinBox *box : {offsetAcross_, offsetDown_}) {
        box->setDecimals(1);
        box->setSingleStep(0.5);
        box->setRange(-kLargestOffset, kLargestOffset);
        box->setSuffix(QStringLiteral(" 毫米"));
        // Stored once the number is whole, not at every key.
        box->setKeyboardTracking(false);
        connect(box, &QDoubleSpinBox::valueChanged, this, [this] { saveAdjustment(); });
    }
    addLabelled(layout, 0, 0, QStringLiteral("右移"), offsetAcross_);
    addLabelled(layout, 0, 2, QStringLiteral("下移"), offsetDown_);
    cutBorders_ = new QCheckBox(QStringLiteral("印出标签的裁切线"), frame);
    cutBorders_->setObjectName(QStringLiteral("cutBorders"));
    layout->addWidget(cutBorders_, 1, 0, 1, 4);
    connect(cutBorders_, &QCheckBox::toggled, this, [this] { saveAdjustment(); });
    column->layout()->addWidget(frame);
}

PrinterAdjustment LabelWindow::adjustment() const
{
    return {offsetAcross_->value(), offsetDown_->value(), cutBorders_->isChecked()};
}

void LabelWindow::saveAdjustment()
{
    if (loading_)
        return;
    const PrinterAdjustment wanted = adjustment();
    ui::guarded(this, [&] { context_.setLabelAdjustment(wanted); });
    refresh();
}

// A ready-made sheet fills in its measures and keeps them; the custom one lets every one be typed.
void LabelWindow::showSheet(int choice)
{
    const QList<SheetPreset> presets = sheetPresets();
    const bool custom = choice >= presets.size();
    if (!custom) {
        LabelSheet sheet = presets[choice].sheet;
        quietly([&] {
            rows_->setValue(sheet.rows);
            columns_->setValue(sheet.columns);
            const std::array<double *, 6> values = measuresOf(sheet);
            for (int i = 0; i < int(measures_.size()); ++i)
                measures_[i]->setValue(*values[i]);
        });
    }
    rows_->setEnabled(custom);
    columns_->setEnabled(custom);
    for (QDoubleSpinBox *box : measures_)
        box->setEnabled(custom);
    refresh();
}

LabelSheet LabelWindow::sheet() const
{
    LabelSheet sheet;
    sheet.rows = rows_->value();
    sheet.columns = columns_->value();
    const std::array<double *, 6> values = measuresOf(sheet);
    for (int i = 0; i < int(measures_.size()); ++i)
        *values[i] = measures_[i]->value();
    return sheet;
}

LabelRequest LabelWindow::request() const
{
    LabelRequest request;
    for (int i = 0; i < books_->count(); ++i)
        if (books_->item(i)->checkState() == Qt::Checked)
            request.books << books_->item(i)->data(Qt::UserRole).toInt();
    request.classNumber = classChoice_->isVisibleTo(this) ? classChoice_->currentIndex() + 1 : 1;
    request.firstPupil = firstPupil_->value();
    request.lastPupil = lastPupil_->value();
    request.order = byPupil_->isChecked() ? LabelOrder::ByPupil : LabelOrder::ByBook;
    request.sheet = sheet();
    return request;
}

void LabelWindow::loadFromState()
{
    const core::MasterRecords &state = context_.master().records();
    PrinterAdjustment stored;
    ui::guarded(this, [&] { stored = context_.labelAdjustment(); });
    quietly([&] {
        offsetAcross_->setValue(stored.across);
        offsetDown_->setValue(stored.down);
        cutBorders_->setChecked(stored.cutBorders);
        books_->clear();
        for (int book : namedBooks(state)) {
            auto *item = new QListWidgetItem(store::twoDigits(book) + QLatin1Char(' ') + state.BookNames[book].trimmed(), books_);
            item->setData(Qt::UserRole, book);
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(Qt::Checked);
        }
        const QList<int> classes = context_.day().classes();
        classChoice_->clear();
        for (int c : classes)
            classChoice_->addItem(QStringLiteral("%1（%2人）").arg(state.ClassNames[c].trimmed()).arg(classSize(state, c)));
        const int shown = classes.contains(context_.day().state().ShownClass) ? context_.day().state().ShownClass : 1;
        classChoice_->setCurrentIndex(shown - 1);
        classChoice_->setVisible(classes.size() == 2);
        classLabel_->setText(classChoice_->itemText(0));
        classLabel_->setVisible(classes.size() == 1);
        firstPupil_->setValue(1);
        lastPupil_->setValue(classSize(state, shown));
    });
    refresh();
}

void LabelWindow::open()
{
    if (!isVisible())
        loadFromState();
    show();
    raise();
    activateWindow();
}

// Every choice redraws the first page at once; a choice that cannot print says why in red, and
// text that a printer may not reach is told in brown.
void LabelWindow::refresh()
{
    if (loading_)
        return;
    const LabelRequest chosen = request();
    const Prepared prepared = prepare(chosen, true);
    QPalette palette = summary_->parentWidget()->palette();
    if (prepared.problem.isEmpty()) {
        QString summary = QStringLiteral("共%1张标签，%2页").arg(prepared.plan.labels.size()).arg(prepared.plan.pageCount());
        if (prepared.pages->textClearanceFromEdge(adjustment().offset()) < kUnprintableEdge) {
            summary += QStringLiteral("\n注意：有文字离纸边不到4.2毫米，许多激光打印机印不到这么靠边，这些文字可能印不全。");
            palette.setColor(QPalette::WindowText, kWarningColour);
        }
        summary_->setText(summary);
    } else {
        summary_->setText(prepared.problem);
        palette.setColor(QPalette::WindowText, kProblemColour);
    }
    summary_->setPalette(palette);
    preview_->showPage(chosen.sheet, prepared.pages);
}

LabelWindow::Prepared LabelWindow::prepare(const LabelRequest &chosen, bool firstPageOnly) const
{
    const core::MasterRecords &state = context_.master().records();
    Prepared prepared;
    prepared.problem = requestProblem(state, chosen);
    if (!prepared.problem.isEmpty())
        return prepared;
    prepared.plan = planLabels(state, chosen);
    try {
        auto pages = std::make_shared<const LabelPages>(prepared.plan, chosen.sheet, 0,
                                                        firstPageOnly ? 0 : prepared.plan.pageCount() - 1,
                                                        cutBorders_->isChecked());
        prepared.problem = pages->problem();
        if (prepared.problem.isEmpty())
            prepared.pages = std::move(pages);
    } catch (const BarcodeError &error) {
        prepared.problem = error.message();
    }
    return prepared;
}

QString LabelWindow::outputFolder() const
{
    return QDir(context_.programFolder()).filePath(QStringLiteral("文本生成/条形码标签"));
}

void LabelWindow::saveAsPdf()
{
    const LabelRequest chosen = request();
    const Prepared prepared = prepare(chosen, false);
    if (!prepared.pages) {
        ui::MessagePresenter::inform(this, prepared.problem);
        return;
    }
    const QString folder = outputFolder();
    if (!QDir().mkpath(folder)) {
        ui::MessagePresenter::inform(this, QStringLiteral("无法建立文件夹：%1").arg(QDir::toNativeSeparators(folder)));
        return;
    }
    const QString path = QDir::toNativeSeparators(QDir(folder).filePath(documentName(context_.master().records(), chosen)));
    if (QFileInfo::exists(path)
        && ui::MessagePresenter::ask(this, QStringLiteral("文件已存在：\n%1\n是否替换它？").arg(path)) != ui::MessagePresenter::Answer::Ok)
        return;
    QString failure;
    {
        WaitCursor wait;
        failure = writeLabelPdf(*prepared.pages, adjustment().offset(), path);
    }
    ui::MessagePresenter::inform(this, !failure.isEmpty() ? failure
                                                          : QStringLiteral("条形码标签已保存为PDF文件：\n%1\n共%2张标签，%3页。")
                                                                .arg(path)
                                                                .arg(prepared.plan.labels.size())
                                                                .arg(prepared.plan.pageCount()));
}

void LabelWindow::print()
{
    const LabelRequest chosen = request();
    const Prepared prepared = prepare(chosen, false);
    if (!prepared.pages) {
        ui::MessagePresenter::inform(this, prepared.problem);
        return;
    }
    const int pageCount = prepared.plan.pageCount();
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(documentName(context_.master().records(), chosen).chopped(4));
    printer.setFromTo(1, pageCount);
    QPrintDialog dialog(&printer, this);
    dialog.setMinMax(1, pageCount);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setPrintRange(QAbstractPrintDialog::PageRange);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (printer.outputFormat() == QPrinter::NativeFormat && !printer.isValid()) {
        ui::MessagePresenter::inform(this, QStringLiteral("没有可用的打印机，未打印。"));
        return;
    }
    WaitCursor wait;
    const QString failure = printLabels(*prepared.pages, adjustment().offset(), printer);
    if (!failure.isEmpty())
        ui::MessagePresenter::inform(this, failure);
}

} // namespace labels

void installLabelPrinting(const ui::MainWindowParts &parts)
{
    // The document menu is the one that holds the export of unfinished homework.
    QMenu *documents = nullptr;
    for (QObject *holder : parts.controls.wwqkdc->associatedObjects())
        if (auto *menu = qobject_cast<QMenu *>(holder))
            documents = menu;
    QAction *item = documents->addAction(QStringLiteral("条形码标签打印(&T)"));
    item->setObjectName(QStringLiteral("labelPrinting"));
    QObject::connect(item, &QAction::triggered, &parts.window,
                     [&mainWindow = parts.window, &context = parts.context, window = QPointer<labels::LabelWindow>()]() mutable {
        if (!window)
            window = new labels::LabelWindow(mainWindow, context);
        window->open();
    });
}
