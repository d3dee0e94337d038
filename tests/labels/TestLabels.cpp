#include "LabelTestSupport.h"
#include "OfficeTestSupport.h"
#include "WindowSupport.h"

#include "labels/BarcodeSymbol.h"
#include "labels/LabelLayout.h"
#include "labels/LabelPlan.h"
#include "labels/LabelWindow.h"
#include "store/MarkString.h"
#include "tracking/BookCode.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPrintDialog>
#include <QPrinter>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>

#include <optional>

using namespace testing;

namespace {

constexpr int kClassSize = 40;
const QString kClass = QStringLiteral("五(1)");

// The class as a teacher names it: names of every kind a label must print whole.
// 小, 大, 黄 and 龙 share their glyphs with radicals that a PDF's text may name instead.
const QStringList kNames{QStringLiteral("王小明"), QStringLiteral("O'Brien"), QStringLiteral("欧阳娜娜"),
                         QStringLiteral("Anna-Lena[李]"), QStringLiteral("张(大)伟"), QStringLiteral("黄小龙")};
const QMap<int, QString> kBookNames{{2, QStringLiteral("《口算训练本》")},
                                    {5, QStringLiteral("《小学语文同步练习与单元测试卷（上册）》")}};

void nameTheClass(core::MasterRecords &state)
{
    state.ClassNames[1] = kClass;
    for (int n = 1; n <= kNames.size(); ++n)
        state.PupilNames[1][n] = kNames[n - 1];
    for (auto book = kBookNames.begin(); book != kBookNames.end(); ++book)
        state.BookNames[book.key()] = book.value();
}

// The same names as the settings and the pupil import store them.
void nameTheClass(RunningWindow &run)
{
    for (int n = 1; n <= kNames.size() && n <= run.master().ClassSizes[1]; ++n)
        run.db().prepare(QStringLiteral("UPDATE \"姓名\" SET \"姓名\" = ? WHERE rowid = ?")).bind(1, kNames[n - 1]).bind(2, n).run();
    run.context().master().loadPupilNames();
    run.setClassNames(kClass);
    run.setBookNames(kBookNames);
}

QString heading(const core::MasterRecords &state, int pupil)
{
    const QString name = state.PupilNames[1][pupil];
    return kClass + QStringLiteral(" ") + QStringLiteral("%1").arg(pupil, 2, 10, QLatin1Char('0')) + (name.isEmpty() ? QString() : QStringLiteral(" ") + name);
}

// The label window as the teacher opens it from the menu.
labels::LabelWindow *openLabelWindow(RunningWindow &run)
{
    QAction *item = run.window->findChild<QAction *>(QStringLiteral("labelPrinting"));
    if (!item || !item->isEnabled())
        return nullptr;
    item->trigger();
    return dynamic_cast<labels::LabelWindow *>(run.window->findChild<QWidget *>(QStringLiteral("labelWindow")));
}

template <typename T> T *control(QWidget *window, const char *name) { return window->findChild<T *>(QLatin1String(name)); }

void tickOnly(QWidget *window, const QList<int> &books)
{
    auto *list = control<QListWidget>(window, "books");
    for (int i = 0; i < list->count(); ++i)
        list->item(i)->setCheckState(books.contains(list->item(i)->data(Qt::UserRole).toInt()) ? Qt::Checked : Qt::Unchecked);
}

void choosePupils(QWidget *window, int first, int last)
{
    control<QSpinBox>(window, "lastPupil")->setValue(last);
    control<QSpinBox>(window, "firstPupil")->setValue(first);
}

void chooseCustomSheet(QWidget *window, int rows, int columns, double width, double height)
{
    auto *choice = control<QComboBox>(window, "sheetChoice");
    choice->setCurrentIndex(choice->count() - 1);
    control<QSpinBox>(window, "rows")->setValue(rows);
    control<QSpinBox>(window, "columns")->setValue(columns);
    control<QDoubleSpinBox>(window, "labelWidth")->setValue(width);
    control<QDoubleSpinBox>(window, "labelHeight")->setValue(height);
}

// Saves the labels; the path the teacher is told, empty when no such message came.
QString saveAsPdf(QWidget *window)
{
    ui::MessagePresenter::takeShown();
    QTest::mouseClick(control<QPushButton>(window, "saveAsPdf"), Qt::LeftButton);
    const QStringList shown = ui::MessagePresenter::takeShown();
    if (shown.size() != 1 || !shown[0].startsWith(QStringLiteral("条形码标签已保存为PDF文件：\n")))
        return {};
    return shown[0].section(QLatin1Char('\n'), 1, 1);
}

// Saves the labels once more under the same name, answering the question about the file there.
QStringList saveAgain(QWidget *window, ui::MessagePresenter::Answer answer)
{
    ui::MessagePresenter::takeShown();
    ui::MessagePresenter::setNextAnswer(answer);
    QTest::mouseClick(control<QPushButton>(window, "saveAsPdf"), Qt::LeftButton);
    return ui::MessagePresenter::takeShown();
}

QStringList codesOn(const QStringList &images)
{
    QStringList codes;
    for (const QList<DecodedSymbol> &symbols : decodeImages(images))
        for (const DecodedSymbol &symbol : symbols)
            codes << symbol.data;
    codes.sort();
    return codes;
}

} // namespace

class TestLabels : public QObject {
    Q_OBJECT

private slots:
    void init() { ui::MessagePresenter::takeShown(); }
    void codesAreWhatTheCodeBoxAccepts_data();
    void codesAreWhatTheCodeBoxAccepts();
    void sheetsOnThePage_data();
    void sheetsOnThePage();
    void labelsHoldTheirBarcodeReadably_data();
    void labelsHoldTheirBarcodeReadably();
    void orderFillsThePages_data();
    void orderFillsThePages();
    void documentNames_data();
    void documentNames();
    void badInputsAreToldAndNothingIsWritten_data();
    void badInputsAreToldAndNothingIsWritten();
    void windowOpensWithTheWholeClassAndFollowsEveryChoice();
    void secondClassLabelsCarryItsCodes();
    void printedLabelsDecodeToTheirCodes_data();
    void printedLabelsDecodeToTheirCodes();
    void printedBarsMeetTheReaderLimits_data();
    void printedBarsMeetTheReaderLimits();
    void printsThePagesChosenInTheDialog_data();
    void printsThePagesChosenInTheDialog();
    void printerAdjustmentIsKeptAndApplied_data();
    void printerAdjustmentIsKeptAndApplied();
};

void TestLabels::codesAreWhatTheCodeBoxAccepts_data()
{
    QTest::addColumn<int>("book");
    QTest::addColumn<int>("pupil");
    QTest::addColumn<QString>("code");
    QTest::newRow("book 5 pupil 7") << 5 << 7 << "110507";
    QTest::newRow("first") << 1 << 1 << "110101";
    QTest::newRow("last") << 32 << 50 << "113250";
    QTest::newRow("two-digit book, one-digit pupil") << 12 << 9 << "111209";
}

void TestLabels::codesAreWhatTheCodeBoxAccepts()
{
    QFETCH(int, book);
    QFETCH(int, pupil);
    QFETCH(QString, code);
    QCOMPARE(labels::bookCode(1, book, pupil), code);
    // Typed whole with another book current: taken as it is.
    core::MasterRecords master;
    master.ClassSizes[1] = core::kPupils;
    const tracking::CheckedCode checked = tracking::checkBookCode(code, QStringLiteral("03"), 1, master);
    QCOMPARE(checked.check, tracking::CodeCheck::Accepted);
    QCOMPARE(checked.code, code);
    QCOMPARE(checked.slot, book);
    QCOMPARE(checked.pupil, pupil);
}

void TestLabels::sheetsOnThePage_data()
{
    QTest::addColumn<labels::LabelSheet>("sheet");
    QTest::addColumn<QString>("problem");
    for (const labels::SheetPreset &preset : labels::sheetPresets())
        QTest::newRow(qPrintable(preset.name)) << preset.sheet << QString();
    QTest::newRow("edge to edge") << labels::LabelSheet{11, 3, 70, 27, 0, 0, 0, 0} << QString();
    QTest::newRow("four columns") << labels::LabelSheet{8, 4, 70, 37, 0, 0, 0, 0}
                                  << "标签纸放不下：4列标签连同左边距和间距共宽280.0毫米，超出了A4纸的宽度210毫米！";
    QTest::newRow("gaps push past the edge") << labels::LabelSheet{8, 3, 65, 37, 10, 0, 2.6, 0}
                                             << "标签纸放不下：3列标签连同左边距和间距共宽210.2毫米，超出了A4纸的宽度210毫米！";
    QTest::newRow("nine rows") << labels::LabelSheet{9, 3, 70, 33, 0, 5, 0, 0}
                               << "标签纸放不下：9行标签连同上边距和间距共高302.0毫米，超出了A4纸的高度297毫米！";
    QTest::newRow("no rows") << labels::LabelSheet{0, 3, 70, 37, 0, 0, 0, 0} << "标签纸的行数、列数和标签的宽、高都必须大于0！";
    QTest::newRow("no width") << labels::LabelSheet{8, 3, 0, 37, 0, 0, 0, 0} << "标签纸的行数、列数和标签的宽、高都必须大于0！";
    QTest::newRow("negative gap") << labels::LabelSheet{8, 3, 60, 37, 0, 0, -1, 0} << "标签纸的页边距和标签间距不能是负数！";
}

void TestLabels::sheetsOnThePage()
{
    QFETCH(labels::LabelSheet, sheet);
    QFETCH(QString, problem);
    QCOMPARE(labels::sheetProblem(sheet), problem);
    if (problem.isEmpty()) // the last label of a sheet that fits lies on the page
        QVERIFY(QRectF(-0.01, -0.01, 210.02, 297.02).contains(sheet.labelRect(sheet.labelsPerPage() - 1)));
}

void TestLabels::labelsHoldTheirBarcodeReadably_data()
{
    QTest::addColumn<QSizeF>("label");
    QTest::addColumn<bool>("fits");
    const int modules = labels::BarcodeSymbol(QStringLiteral("110507")).modules();
    const QSizeF least = labels::minimumLabelSize(modules);
    QTest::newRow("70×37") << QSizeF(70, 37) << true;
    QTest::newRow("70×42.3") << QSizeF(70, 42.3) << true;
    QTest::newRow("105×57") << QSizeF(105, 57) << true;
    QTest::newRow("the least") << least << true;
    QTest::newRow("a little narrower") << least - QSizeF(0.1, 0) << false;
    QTest::newRow("a little lower") << least - QSizeF(0, 0.1) << false;
    QTest::newRow("a stamp") << QSizeF(20, 12) << false;
}

void TestLabels::labelsHoldTheirBarcodeReadably()
{
    QFETCH(QSizeF, label);
    QFETCH(bool, fits);
    const int modules = labels::BarcodeSymbol(QStringLiteral("110507")).modules();
    const std::optional<labels::LabelLayout> layout = labels::layoutLabel(label, modules);
    QCOMPARE(layout.has_value(), fits);
    if (!fits) {
        QVERIFY(labels::labelTooSmallMessage(label, modules).startsWith(QStringLiteral("标签太小")));
        return;
    }
    QVERIFY(layout->moduleWidth >= labels::kMinModuleWidth);
    QCOMPARE(layout->symbol.width(), (modules + 2 * labels::kQuietZoneModules) * layout->moduleWidth);
    // The reading order of the label, top to bottom, no part over another, all inside the label.
    const QRectF whole(QPointF(0, 0), label);
    const QRectF parts[] = {layout->heading, layout->book, layout->symbol, layout->digits};
    for (int i = 0; i < 4; ++i) {
        QVERIFY(whole.contains(parts[i]));
        if (i > 0)
            QVERIFY(parts[i - 1].bottom() <= parts[i].top());
    }
    QVERIFY(layout->symbol.height() >= 6.35 - 1e-9);
}

void TestLabels::orderFillsThePages_data()
{
    QTest::addColumn<int>("order");
    QTest::addColumn<QStringList>("codes");
    QTest::newRow("by book") << int(labels::LabelOrder::ByBook)
                             << QStringList{"110201", "110202", "110203", "110501", "110502", "110503"};
    QTest::newRow("by pupil") << int(labels::LabelOrder::ByPupil)
                              << QStringList{"110201", "110501", "110202", "110502", "110203", "110503"};
}

void TestLabels::orderFillsThePages()
{
    QFETCH(int, order);
    QFETCH(QStringList, codes);
    core::MasterRecords state;
    state.ClassSizes[1] = core::kPupils;
    nameTheClass(state);
    labels::LabelRequest request{1, {2, 5}, 1, 3, labels::LabelOrder(order), labels::sheetPresets()[0].sheet};
    const labels::LabelPlan small = labels::planLabels(state, request);
    QStringList planned;
    for (const labels::LabelText &label : small.labels)
        planned << label.code;
    QCOMPARE(planned, codes);
    QCOMPARE(small.labels[0].heading, QStringLiteral("五(1) 01 王小明"));
    QCOMPARE(small.labels[0].book, QStringLiteral("《口算训练本》"));
    QCOMPARE(small.pageCount(), 1);

    // A term's labels: 50 pupils with 32 books on sheets of 24.
    for (int b = 1; b <= core::kBooks; ++b)
        state.BookNames[b] = QStringLiteral("《本子%1》").arg(b);
    request.books = labels::namedBooks(state);
    request.lastPupil = core::kPupils;
    const labels::LabelPlan term = labels::planLabels(state, request);
    QCOMPARE(term.labels.size(), 1600);
    QCOMPARE(term.pageCount(), 67);
    QCOMPARE(term.page(66).size(), 1600 - 66 * 24);
    QCOMPARE(term.page(1).first().code, order == int(labels::LabelOrder::ByBook) ? QStringLiteral("110125") : QStringLiteral("112501"));
}

void TestLabels::documentNames_data()
{
    QTest::addColumn<QString>("className");
    QTest::addColumn<QList<int>>("books");
    QTest::addColumn<int>("lastPupil");
    QTest::addColumn<labels::LabelSheet>("sheet");
    QTest::addColumn<int>("order");
    QTest::addColumn<QString>("name");
    const QList<int> all{1, 2, 3, 4, 5};
    const labels::LabelSheet usual = labels::sheetPresets()[0].sheet;
    const int byBook = int(labels::LabelOrder::ByBook);
    QTest::newRow("the whole class, every book") << "五(1)" << all << 40 << usual << byBook << "五(1)班-全部作业本-3×8-按作业本.pdf";
    QTest::newRow("two books") << "五(1)" << QList<int>{2, 4} << 40 << usual << byBook << "五(1)班-《本子2》《本子4》-3×8-按作业本.pdf";
    QTest::newRow("four books") << "五(1)" << QList<int>{1, 2, 3, 4} << 40 << usual << byBook << "五(1)班-4本作业本-3×8-按作业本.pdf";
    QTest::newRow("part of the class") << "五(1)" << all << 20 << usual << byBook << "五(1)班-全部作业本-学号01至20-3×8-按作业本.pdf";
    QTest::newRow("a name too long for a file name") << "五(1)" << QList<int>{1, 5} << 40 << usual << byBook << "五(1)班-2本作业本-3×8-按作业本.pdf";
    QTest::newRow("class named with 班") << "三年级2班" << QList<int>{3} << 40 << usual << byBook << "三年级2班-《本子3》-3×8-按作业本.pdf";
    QTest::newRow("a slash in the class") << "5/1" << QList<int>{3} << 40 << usual << byBook << "5_1班-《本子3》-3×8-按作业本.pdf";
    // Each sheet and order keeps a file of its own.
    QTest::newRow("by pupil") << "五(1)" << all << 40 << usual << int(labels::LabelOrder::ByPupil) << "五(1)班-全部作业本-3×8-按学生.pdf";
    QTest::newRow("3 × 7 sheet") << "五(1)" << all << 40 << labels::sheetPresets()[1].sheet << byBook << "五(1)班-全部作业本-3×7-按作业本.pdf";
    QTest::newRow("custom sheet") << "五(1)" << all << 40 << labels::LabelSheet{8, 3, 70, 36, 0, 0.5, 0, 0} << byBook << "五(1)班-全部作业本-自定义3×8-按作业本.pdf";
}

void TestLabels::documentNames()
{
    QFETCH(QString, className);
    QFETCH(QList<int>, books);
    QFETCH(int, lastPupil);
    QFETCH(labels::LabelSheet, sheet);
    QFETCH(int, order);
    QFETCH(QString, name);
    core::MasterRecords state;
    state.ClassNames[1] = className;
    state.ClassSizes[1] = 40;
    for (int b = 1; b <= 4; ++b)
        state.BookNames[b] = QStringLiteral("《本子%1》").arg(b);
    state.BookNames[5] = QStringLiteral("《%1》").arg(QString(40, QChar(0x5b57)));
    QCOMPARE(labels::documentName(state, {1, books, 1, lastPupil, labels::LabelOrder(order), sheet}), name);
}

enum BadInput { NoBook, NoPupil, UnnamedBook, NoBookNamed, EmptyClass, UnnamedClass, BeyondTheClass, CustomTooWide, LabelTooSmall };

void TestLabels::badInputsAreToldAndNothingIsWritten_data()
{
    QTest::addColumn<int>("input");
    QTest::addColumn<QString>("message");
    QTest::newRow("no book") << int(NoBook) << "请至少选择一本作业本！";
    QTest::newRow("no pupil") << int(NoPupil) << "没有选择学生：起始学号5大于结束学号3！";
    QTest::newRow("book without a name") << int(UnnamedBook) << "2号作业本没有名称，请先在“作业设置”中填写作业本名称！";
    QTest::newRow("no book named yet") << int(NoBookNamed) << "还没有一本作业本有名称，请先在“作业设置”中填写作业本名称！";
    QTest::newRow("empty class") << int(EmptyClass) << "班级里还没有学生，请先在“学生名单”中导入学生名单！";
    QTest::newRow("class without a name") << int(UnnamedClass) << "班级还没有名称，请先在“班级设置”中填写班级名称！";
    QTest::newRow("range beyond the class") << int(BeyondTheClass) << "学号38到45超出了本班的学号范围1到40！";
    QTest::newRow("custom sheet too wide") << int(CustomTooWide)
                                           << "标签纸放不下：4列标签连同左边距和间距共宽280.0毫米，超出了A4纸的宽度210毫米！";
    QTest::newRow("label too small") << int(LabelTooSmall)
                                     << "标签太小（25.0×15.0毫米），条形码无法清晰印出：条宽至少0.25毫米、两侧各留10个条宽的空白，"
                                        "标签至少要27.4×20.4毫米。请选择更大的标签！";
}

void TestLabels::badInputsAreToldAndNothingIsWritten()
{
    QFETCH(int, input);
    QFETCH(QString, message);
    RunningWindow run(input == EmptyClass ? 0 : kClassSize);
    nameTheClass(run);
    if (input == UnnamedClass)
        run.setClassNames(QString());
    if (input == NoBookNamed)
        run.db().exec(QStringLiteral("UPDATE \"作业本名称\" SET %1").arg([] {
            QStringList cleared;
            for (int b = 1; b <= core::kBooks; ++b)
                cleared << QStringLiteral("\"本子%1\" = ''").arg(b);
            return cleared.join(QLatin1Char(','));
        }()));
    run.context().master().load();
    labels::LabelWindow *window = openLabelWindow(run);
    QVERIFY(window);
    switch (input) {
    case NoBook:
        QTest::mouseClick(control<QPushButton>(window, "noBooks"), Qt::LeftButton);
        break;
    case NoPupil:
        choosePupils(window, 5, 3);
        break;
    case UnnamedBook: // renamed in the settings while the window stays open
        run.setBookNames({{2, QStringLiteral("  ")}});
        break;
    case BeyondTheClass:
        choosePupils(window, 38, 45);
        break;
    case CustomTooWide:
        chooseCustomSheet(window, 8, 4, 70, 37);
        break;
    case LabelTooSmall:
        chooseCustomSheet(window, 10, 5, 25, 15);
        break;
    }
    QTest::mouseClick(control<QPushButton>(window, "saveAsPdf"), Qt::LeftButton);
    QCOMPARE(ui::MessagePresenter::takeShown(), QStringList{message});
    QVERIFY(!QFileInfo::exists(window->outputFolder()));
    if (input != UnnamedBook) // the window learns of a renaming when it is opened again
        QCOMPARE(control<QLabel>(window, "summary")->text(), message);
}

void TestLabels::windowOpensWithTheWholeClassAndFollowsEveryChoice()
{
    RunningWindow run(kClassSize);
    nameTheClass(run);
    QAction *item = run.window->findChild<QAction *>(QStringLiteral("labelPrinting"));
    QVERIFY(item);
    QCOMPARE(item->text(), QStringLiteral("条形码标签打印(&T)"));
    auto *documents = qobject_cast<QMenu *>(item->associatedObjects().value(0));
    QVERIFY(documents && documents->title() == QStringLiteral("文本生成中心(&W)"));

    labels::LabelWindow *window = openLabelWindow(run);
    QVERIFY(window);
    QVERIFY(QTest::qWaitForWindowExposed(window));
    auto *books = control<QListWidget>(window, "books");
    QCOMPARE(books->count(), 8);
    QCOMPARE(books->item(1)->text(), QStringLiteral("02 《口算训练本》"));
    for (int i = 0; i < books->count(); ++i)
        QCOMPARE(books->item(i)->checkState(), Qt::Checked);
    QCOMPARE(control<QSpinBox>(window, "firstPupil")->value(), 1);
    QCOMPARE(control<QSpinBox>(window, "lastPupil")->value(), kClassSize);
    QCOMPARE(control<QLabel>(window, "classLabel")->text(), QStringLiteral("五(1)（40人）"));
    QVERIFY(control<QRadioButton>(window, "byBook")->isChecked());
    QCOMPARE(control<QComboBox>(window, "sheetChoice")->currentIndex(), 0);
    QVERIFY(!control<QDoubleSpinBox>(window, "labelWidth")->isEnabled());
    // The usual sheet runs to the paper's edge: its top row's text lies closer to it than a laser printer reaches.
    const QString edgeWarning = QStringLiteral("\n注意：有文字离纸边不到4.2毫米，许多激光打印机印不到这么靠边，这些文字可能印不全。");
    QCOMPARE(control<QLabel>(window, "summary")->text(), QStringLiteral("共320张标签，14页") + edgeWarning);

    // Every choice redraws the first page.
    QWidget *preview = control<QWidget>(window, "preview");
    QImage shown = preview->grab().toImage();
    const auto changed = [&] {
        const QImage now = preview->grab().toImage();
        const bool different = now != shown;
        shown = now;
        return different;
    };
    control<QRadioButton>(window, "byPupil")->setChecked(true);
    QVERIFY(changed());
    tickOnly(window, {2});
    QVERIFY(changed());
    QCOMPARE(control<QLabel>(window, "summary")->text(), QStringLiteral("共40张标签，2页") + edgeWarning);
    choosePupils(window, 3, 9);
    QVERIFY(changed());
    control<QComboBox>(window, "sheetChoice")->setCurrentIndex(2);
    QVERIFY(changed());
    QCOMPARE(control<QDoubleSpinBox>(window, "labelHeight")->value(), 57.0);
    chooseCustomSheet(window, 4, 2, 90, 60);
    QVERIFY(control<QDoubleSpinBox>(window, "labelWidth")->isEnabled());
    QVERIFY(changed());
    QCOMPARE(control<QLabel>(window, "summary")->text(), QStringLiteral("共7张标签，1页"));

    // Whole on the smallest screens the teachers use (1366 × 768, and 1280 × 720 at 150 %), with room
    // for a title bar and the panel.
    const QSize screen(1280, 720 - 60);
    QVERIFY2(window->frameGeometry().width() <= screen.width() && window->frameGeometry().height() <= screen.height(),
             qPrintable(QStringLiteral("%1×%2").arg(window->frameGeometry().width()).arg(window->frameGeometry().height())));
}

// A teacher of two classes chooses the class: the second's labels carry 12 + book + pupil, its
// name and its pupils, and a code read back off them is taken for that class.
void TestLabels::secondClassLabelsCarryItsCodes()
{
    RunningWindow run(kClassSize);
    addPupils(run.db(), 3, QStringLiteral("52姓名"));
    run.setClassNames(kClass, QStringLiteral("五(2)"));
    run.setBookNames(kBookNames);
    run.context().day().当天数据环境生成();
    labels::LabelWindow *window = openLabelWindow(run);
    auto *classChoice = control<QComboBox>(window, "classChoice");
    QVERIFY(classChoice->isVisible());
    QCOMPARE(classChoice->itemText(1), QStringLiteral("五(2)（3人）"));
    classChoice->setCurrentIndex(1);
    emit classChoice->activated(1);
    tickOnly(window, {2});
    const QString pdf = saveAsPdf(window);
    QVERIFY2(pdf.endsWith(QStringLiteral("五(2)班-《口算训练本》-3×8-按作业本.pdf")), qPrintable(pdf));
    QCOMPARE(codesOn(pagesAsImages(pdf)), (QStringList{"120201", "120202", "120203"}));
    QStringList words;
    for (const PlacedWord &word : wordsOnPages(pdf).value(0))
        words << word.text;
    QVERIFY2(words.join(QLatin1Char(' ')).startsWith(QStringLiteral("五(2) 01 学生1 五(2) 02 学生2")), qPrintable(words.join(' ')));

    run.context().day().publish(2, QStringLiteral("14-5-17"), QStringLiteral("第12页"), QString(), {2});
    run.scan(QStringLiteral("120203"));
    QCOMPARE(run.day().ShownClass, 2);
    QCOMPARE(value(run.db(), QStringLiteral("SELECT \"完成2\" FROM \"52扫描输入作业完成情况\"")).toString(),
             QStringLiteral("010020032。"));
}

void TestLabels::printedLabelsDecodeToTheirCodes_data()
{
    QTest::addColumn<QList<int>>("books");
    QTest::addColumn<int>("firstPupil");
    QTest::addColumn<int>("lastPupil");
    QTest::addColumn<int>("sheet");
    QTest::addColumn<bool>("byPupil");
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("pages");
    QTest::newRow("3 pupils × 2 books") << QList<int>{2, 5} << 1 << 3 << 0 << false << "五(1)班-《口算训练本》《小学语文同步练习与单元测试卷（上册）》-学号01至03-3×8-按作业本.pdf" << 1;
    QTest::newRow("a full page of 3 × 8") << QList<int>{1, 2, 3, 4, 5, 6, 7, 8} << 1 << 3 << 0 << true << "五(1)班-全部作业本-学号01至03-3×8-按学生.pdf" << 1;
    QTest::newRow("3 × 7, two pages") << QList<int>{2, 5, 7} << 1 << 8 << 1 << false << "五(1)班-《口算训练本》《小学语文同步练习与单元测试卷（上册）》《本子7》-学号01至08-3×7-按作业本.pdf" << 2;
    QTest::newRow("2 × 5") << QList<int>{5} << 1 << 5 << 2 << true << "五(1)班-《小学语文同步练习与单元测试卷（上册）》-学号01至05-2×5-按学生.pdf" << 1;
}

void TestLabels::printedLabelsDecodeToTheirCodes()
{
    QFETCH(QList<int>, books);
    QFETCH(int, firstPupil);
    QFETCH(int, lastPupil);
    QFETCH(int, sheet);
    QFETCH(bool, byPupil);
    QFETCH(QString, file);
    QFETCH(int, pages);
    RunningWindow run(kClassSize);
    nameTheClass(run);
    labels::LabelWindow *window = openLabelWindow(run);
    QVERIFY(window);
    tickOnly(window, books);
    choosePupils(window, firstPupil, lastPupil);
    control<QComboBox>(window, "sheetChoice")->setCurrentIndex(sheet);
    control<QRadioButton>(window, byPupil ? "byPupil" : "byBook")->setChecked(true);
    const QString pdf = saveAsPdf(window);
    QCOMPARE(pdf, QDir::toNativeSeparators(QDir(run.folder.path()).filePath(QStringLiteral("文本生成/条形码标签/") + file)));

    QStringList expected;
    for (int book : books)
        for (int pupil = firstPupil; pupil <= lastPupil; ++pupil)
            expected << labels::bookCode(1, book, pupil);
    expected.sort();
    const QStringList images = pagesAsImages(pdf);
    QCOMPARE(images.size(), pages);
    QCOMPARE(codesOn(images), expected);

    // Each label holds the barcode of the pupil and book it names, its text whole and clear of the bars.
    const labels::LabelSheet geometry = labels::sheetPresets()[sheet].sheet;
    const QList<QList<PlacedWord>> words = wordsOnPages(pdf);
    QCOMPARE(words.size(), pages);
    QStringList cutOuts;
    for (int page = 0; page < pages; ++page) {
        const QImage image(images[page]);
        for (int index = 0; index < geometry.labelsPerPage(); ++index)
            cutOuts << cutOut(image, geometry.labelRect(index), pdf + QStringLiteral("-%1-%2.png").arg(page).arg(index));
    }
    const QMap<QString, QList<DecodedSymbol>> decoded = decodeImages(cutOuts);
    QStringList labelled;
    for (int page = 0; page < pages; ++page) {
        for (int index = 0; index < geometry.labelsPerPage(); ++index) {
            const QRectF place = geometry.labelRect(index);
            QStringList text;
            QList<QRectF> boxes;
            for (const PlacedWord &word : words[page]) {
                if (place.contains(word.box.center())) {
                    text << word.text;
                    boxes << word.box;
                }
            }
            const QList<DecodedSymbol> found = decoded.value(cutOuts[page * geometry.labelsPerPage() + index]);
            if (found.isEmpty()) { // the rest of the last page stays blank
                QCOMPARE(text, QStringList());
                continue;
            }
            QCOMPARE(found.size(), 1);
            QCOMPARE(found[0].type, QStringLiteral("CODE-128"));
            const QString code = found[0].data;
            labelled << code;
            const int book = code.mid(2, 2).toInt();
            const int pupil = code.mid(4, 2).toInt();
            const QString wanted = heading(run.master(), pupil) + QStringLiteral(" ") + run.master().BookNames[book] +
                                   QStringLiteral(" ") + code;
            // The text as typed, to be searched and copied: 小 not the radical ⼩ that shares its glyph.
            QCOMPARE(text.join(QLatin1Char(' ')), wanted);
            const QRectF bars = labels::layoutLabel(place.size(), labels::BarcodeSymbol(code).modules())->symbol.translated(place.topLeft());
            for (const QRectF &box : std::as_const(boxes)) {
                QVERIFY2(place.contains(box), qPrintable(code));
                QVERIFY2(!box.intersects(bars.adjusted(0, 0.3, 0, -0.3)), qPrintable(code));
            }
        }
    }
    labelled.sort();
    QCOMPARE(labelled, expected);

    // A code read back off the print is taken by the code box for the pupil and book it names.
    const QString code = labelled.first();
    const int book = code.mid(2, 2).toInt();
    run.publish(book, QStringLiteral("第12页"));
    run.scan(code);
    QVERIFY(!run.ui().Frame2->isVisible());
    const QString marksOf = QStringLiteral("SELECT \"完成%1\" FROM \"扫描输入作业完成情况\" WHERE \"日期\" = '14-5-17'");
    QString marked = store::newDayMarks(kClassSize);
    marked[3 * (code.mid(4, 2).toInt() - 1) + 2] = QLatin1Char('2');
    QCOMPARE(value(run.db(), marksOf.arg(book)).toString(), marked);
    QCOMPARE(value(run.db(), marksOf.arg(books.last() == book ? books.first() : books.last())).toString(),
             books.size() > 1 ? store::newDayMarks(kClassSize) : marked);
}

void TestLabels::printedBarsMeetTheReaderLimits_data()
{
    QTest::addColumn<labels::LabelSheet>("sheet");
    QTest::addColumn<bool>("cutBorders");
    QTest::newRow("3 × 8") << labels::sheetPresets()[0].sheet << false;
    // The cut line is dark too: the white each side of the bars must hold ten modules inside it.
    const QSizeF least = labels::minimumLabelSize(labels::BarcodeSymbol(QStringLiteral("110101")).modules());
    QTest::newRow("the least label, cut lines")
        << labels::LabelSheet{6, 4, std::ceil(least.width() * 10) / 10, std::ceil(least.height() * 10) / 10, 0, 0.5, 0, 0} << true;
}

void TestLabels::printedBarsMeetTheReaderLimits()
{
    QFETCH(labels::LabelSheet, sheet);
    QFETCH(bool, cutBorders);
    RunningWindow run(kClassSize);
    nameTheClass(run);
    labels::LabelWindow *window = openLabelWindow(run);
    QVERIFY(window);
    chooseCustomSheet(window, sheet.rows, sheet.columns, sheet.labelWidth, sheet.labelHeight);
    control<QCheckBox>(window, "cutBorders")->setChecked(cutBorders);
    choosePupils(window, 1, sheet.labelsPerPage() / 8); // a full page: pupils with their eight books
    const QStringList images = pagesAsImages(saveAsPdf(window));
    QCOMPARE(images.size(), 1);
    const QImage page = QImage(images.first()).convertToFormat(QImage::Format_Grayscale8);
    const double pixelsPerMm = 300 / 25.4;
    const int modules = labels::BarcodeSymbol(QStringLiteral("110101")).modules();
    for (int index = 0; index < sheet.labelsPerPage(); ++index) {
        const QRectF place = sheet.labelRect(index);
        const QRectF bars = labels::layoutLabel(place.size(), modules)->symbol.translated(place.topLeft());
        // Along the middle of the bars, across the label inside its cut lines: the dark runs and the white around them.
        const int y = int(bars.center().y() * pixelsPerMm);
        const int left = int(std::ceil(place.left() * pixelsPerMm)) + (cutBorders ? 2 : 0);
        const int right = std::min(page.width(), int(place.right() * pixelsPerMm)) - (cutBorders ? 2 : 0);
        QList<int> runs;
        int firstDark = -1, lastDark = -1, run = 0;
        for (int x = left; x < right; ++x) {
            const bool dark = page.pixelColor(x, y).lightness() < 128;
            if (dark) {
                firstDark = firstDark < 0 ? x : firstDark;
                lastDark = x;
                ++run;
            } else if (run > 0) {
                runs << run;
                run = 0;
            }
        }
        QVERIFY(!runs.isEmpty());
        const int narrowest = *std::min_element(runs.begin(), runs.end());
        QVERIFY2(narrowest >= std::ceil(labels::kMinModuleWidth * pixelsPerMm), qPrintable(QString::number(narrowest)));
        QVERIFY(firstDark - left >= labels::kQuietZoneModules * narrowest);
        QVERIFY(right - 1 - lastDark >= labels::kQuietZoneModules * narrowest);
    }
}

enum PageChoice { Cancelled, FromTo, Typed };

void TestLabels::printsThePagesChosenInTheDialog_data()
{
    QTest::addColumn<int>("choice");
    QTest::addColumn<QList<int>>("printed");
    QTest::newRow("cancelled") << int(Cancelled) << QList<int>{};
    QTest::newRow("pages 2 to 3") << int(FromTo) << QList<int>{2, 3};
    // Qt hands a typed range to CUPS as well, which then picks those pages from the job.
    QTest::newRow("pages 2-3 typed") << int(Typed) << QList<int>{2, 3};
}

void TestLabels::printsThePagesChosenInTheDialog()
{
    QFETCH(int, choice);
    QFETCH(QList<int>, printed);
    std::optional<office::test::PdfPrintQueue> queue;
    if (choice != Cancelled) {
        queue.emplace();
        if (!queue->problem().isEmpty())
            QSKIP(qPrintable(QStringLiteral("no print queue: ") + queue->problem()));
    }
    RunningWindow run(kClassSize);
    nameTheClass(run);
    labels::LabelWindow *window = openLabelWindow(run);
    QVERIFY(window);
    int from = 0, to = 0;
    bool seen = false;
    QTimer::singleShot(0, window, [&] {
        auto *dialog = qobject_cast<QPrintDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        seen = true;
        from = dialog->printer()->fromPage();
        to = dialog->printer()->toPage();
        if (choice == FromTo) {
            dialog->findChild<QSpinBox *>(QStringLiteral("from"))->setValue(2);
            dialog->findChild<QSpinBox *>(QStringLiteral("to"))->setValue(3);
        } else if (choice == Typed) {
            dialog->findChild<QRadioButton *>(QStringLiteral("pagesRadioButton"))->setChecked(true);
            dialog->findChild<QLineEdit *>(QStringLiteral("pagesLineEdit"))->setText(QStringLiteral("2-3"));
        }
        choice == Cancelled ? dialog->reject() : dialog->accept();
    });
    QTest::mouseClick(control<QPushButton>(window, "print"), Qt::LeftButton);
    QVERIFY(seen);
    QCOMPARE(from, 1);
    QCOMPARE(to, 14);
    QCOMPARE(ui::MessagePresenter::takeShown(), QStringList{});
    if (printed.isEmpty())
        return;

    const QStringList pdfs = queue->printedFiles(1, 60000);
    QCOMPARE(pdfs.size(), 1);
    const QString pdf = pdfs.first();
    const labels::LabelPlan plan = labels::planLabels(run.master(), window->request());
    QStringList expected;
    for (int page : printed)
        for (const labels::LabelText &label : plan.page(page - 1))
            expected << label.code;
    expected.sort();
    const QStringList images = pagesAsImages(pdf);
    const QStringList codes = codesOn(images);
    for (const QString &file : images + QStringList{pdf})
        QFile::remove(file); // left in the user's own PDF folder otherwise
    QCOMPARE(images.size(), printed.size());
    QCOMPARE(codes, expected);
}

void TestLabels::printerAdjustmentIsKeptAndApplied_data()
{
    QTest::addColumn<double>("across");
    QTest::addColumn<double>("down");
    QTest::addColumn<bool>("cutBorders");
    QTest::newRow("shifted right and up") << 2.5 << -1.5 << false;
    QTest::newRow("cut lines, not shifted") << 0.0 << 0.0 << true;
}

void TestLabels::printerAdjustmentIsKeptAndApplied()
{
    QFETCH(double, across);
    QFETCH(double, down);
    QFETCH(bool, cutBorders);
    RunningWindow run(kClassSize);
    nameTheClass(run);
    labels::LabelWindow *window = openLabelWindow(run);
    QVERIFY(window);
    choosePupils(window, 1, 3);
    const QString pdf = saveAsPdf(window);
    QVERIFY(!pdf.isEmpty());
    const QList<PlacedWord> plain = wordsOnPages(pdf).value(0);
    QVERIFY(!plain.isEmpty());
    control<QDoubleSpinBox>(window, "offsetAcross")->setValue(across);
    control<QDoubleSpinBox>(window, "offsetDown")->setValue(down);
    control<QCheckBox>(window, "cutBorders")->setChecked(cutBorders);

    // The same choice names the same file: replacing it is asked first, and a No keeps it.
    const QByteArray first = office::test::fileDigest(pdf);
    const QString question = QStringLiteral("文件已存在：\n%1\n是否替换它？").arg(pdf);
    QCOMPARE(saveAgain(window, ui::MessagePresenter::Answer::Cancel), QStringList{question});
    QCOMPARE(office::test::fileDigest(pdf), first);
    const QStringList replaced = saveAgain(window, ui::MessagePresenter::Answer::Ok);
    QCOMPARE(replaced.value(0), question);
    QVERIFY(replaced.value(1).startsWith(QStringLiteral("条形码标签已保存为PDF文件：")));

    // Every word moved by the offset, in the PDF as on paper.
    const QList<PlacedWord> adjusted = wordsOnPages(pdf).value(0);
    QCOMPARE(adjusted.size(), plain.size());
    for (qsizetype i = 0; i < plain.size(); ++i) {
        QCOMPARE(adjusted[i].text, plain[i].text);
        const QPointF moved = adjusted[i].box.topLeft() - plain[i].box.topLeft();
        QVERIFY2(std::abs(moved.x() - across) < 0.05 && std::abs(moved.y() - down) < 0.05, qPrintable(plain[i].text));
    }

    // Kept for the next start.
    run.restart();
    window = openLabelWindow(run);
    QVERIFY(window);
    QCOMPARE(control<QDoubleSpinBox>(window, "offsetAcross")->value(), across);
    QCOMPARE(control<QDoubleSpinBox>(window, "offsetDown")->value(), down);
    QCOMPARE(control<QCheckBox>(window, "cutBorders")->isChecked(), cutBorders);
}

QTEST_MAIN(TestLabels)
#include "TestLabels.moc"
