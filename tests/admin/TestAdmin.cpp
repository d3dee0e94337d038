#include "AdminTestSupport.h"

#include "admin/Form9.h"
#include "admin/RestoreWindow.h"
#include "tracking/Form12.h"
#include "store/Backups.h"

#include <QClipboard>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QPointer>
#include <QTableWidget>
#include <QTimer>

using namespace testing;

namespace {

QString held(const admin::PasswordMask &mask)
{
    QString text;
    for (int i = 1; i <= mask.PasswordLength; ++i)
        text += mask.PasswordChars[i];
    return text;
}

// Text put into the box by a middle click (m) or a drop (d) at its start (<) or end (>).
void insertWithTheMouse(QLineEdit *box, const QString &step)
{
    const QPoint at(step[1] == QLatin1Char('<') ? 1 : box->width() - 2, box->height() / 2);
    const QString text = step.mid(2);
    if (step[0] == QLatin1Char('d')) {
        QMimeData data;
        data.setText(text);
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(box, &enter);
        QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(box, &drop);
        return;
    }
    // The press moves the caret to the click, then the release pastes the selection there.
    QGuiApplication::clipboard()->setText(text, QClipboard::Selection);
    QTest::mousePress(box, Qt::MiddleButton, {}, at);
    QTest::mouseRelease(box, Qt::MiddleButton, {}, at);
    if (!QGuiApplication::clipboard()->supportsSelection()) {
        // Without a selection clipboard (offscreen), what the release would have done.
        box->deselect();
        box->insert(text);
    }
}

// Steps: "=text" types, "^text" pastes, "<" ">" arrows, "B" Backspace, "D" Delete,
// "H" Home, "E" End, "s<" extends the selection one to the left, "s>" to the right,
// "m<text" "m>text" "d<text" "d>text" as insertWithTheMouse.
void perform(QLineEdit *box, const QStringList &steps)
{
    for (const QString &step : steps) {
        if (step.startsWith(QLatin1Char('='))) {
            QTest::keyClicks(box, step.mid(1));
        } else if (step.startsWith(QLatin1Char('^'))) {
            QGuiApplication::clipboard()->setText(step.mid(1));
            QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        } else if (step.size() > 2 && (step[0] == QLatin1Char('m') || step[0] == QLatin1Char('d'))) {
            insertWithTheMouse(box, step);
        } else {
            static const QHash<QString, std::pair<Qt::Key, Qt::KeyboardModifiers>> keys{
                {"<", {Qt::Key_Left, Qt::NoModifier}},    {">", {Qt::Key_Right, Qt::NoModifier}},
                {"B", {Qt::Key_Backspace, Qt::NoModifier}}, {"D", {Qt::Key_Delete, Qt::NoModifier}},
                {"H", {Qt::Key_Home, Qt::NoModifier}},    {"E", {Qt::Key_End, Qt::NoModifier}},
                {"s<", {Qt::Key_Left, Qt::ShiftModifier}}, {"s>", {Qt::Key_Right, Qt::ShiftModifier}}};
            QVERIFY2(keys.contains(step), qPrintable(step));
            QTest::keyClick(box, keys[step].first, keys[step].second);
        }
    }
}

} // namespace

class TestAdmin : public QObject {
    Q_OBJECT

private slots:
    void init();
    void windowsCarryTheirTexts_data();
    void windowsCarryTheirTexts();
    void maskFollowsEveryEdit_data();
    void maskFollowsEveryEdit();
    void loginComparesTheTrimmedText_data();
    void loginComparesTheTrimmedText();
    void refusedLoginKeepsTheBoxForTheNextFunction();
    void testItemsFollowTheirHooks_data();
    void testItemsFollowTheirHooks();
    void passwordChange_data();
    void passwordChange();
    void clearingKeepsMasterDataAndClosingWritesNothing();
    void clearingCopesWithFewerRows();
    void clearingIsUndoneFromTheRestoreWindow();
    void restoreIsReachedFromTheKeyboard_data();
    void restoreIsReachedFromTheKeyboard();
    void nothingIsWrittenAfterARestore_data();
    void nothingIsWrittenAfterARestore();
    void aDamagedCopyIsRefused();
    void aFailedDailyBackupLetsTheWorkGoOn();
    void classNamesAreStoredAsTyped();
    void bookNamesEditorReadsAndWritesTheTable();
    void subjectListsShowTheNamedBooksOnly();
    void subjectEditorClosedWithoutSavingKeepsTheFlags();
};

void TestAdmin::init()
{
    ui::MessagePresenter::setTestMode(true);
    ui::MessagePresenter::takeShown();
}

void TestAdmin::windowsCarryTheirTexts_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("text");
    QTest::newRow("login caption") << "Form8" << "" << "系统管理登入框";
    QTest::newRow("login label") << "Form8" << "Label2" << "密码:";
    QTest::newRow("login note") << "Form8" << "Label1" << "初始密码为730418";
    QTest::newRow("login button") << "Form8" << "Command1" << "确定";
    QTest::newRow("password caption") << "Form9" << "" << "密码输入";
    QTest::newRow("old password") << "Form9" << "Label2" << "旧密码：";
    QTest::newRow("new password") << "Form9" << "Label1" << "新密码：";
    QTest::newRow("repetition") << "Form9" << "Label3" << "重  输：";
    QTest::newRow("password note") << "Form9" << "Label4" << "说明：原始密码为730418，修改后请牢记新密码！";
    QTest::newRow("password button") << "Form9" << "Command1" << "确定";
}

void TestAdmin::windowsCarryTheirTexts()
{
    QFETCH(QString, window);
    QFETCH(QString, control);
    QFETCH(QString, text);
    RunningWindow run;
    installAdminFunctions(run.parts(), {});
    (window == "Form8" ? run.ui().xsmd : run.ui().mmsd)->trigger();
    auto *shown = run.window->findChild<QWidget *>(window);
    QVERIFY(shown && shown->isVisible() && shown->isWindow());
    QCOMPARE(shown->windowModality(), Qt::NonModal);
    if (control.isEmpty()) {
        QCOMPARE(shown->windowTitle(), text);
        return;
    }
    QObject *child = shown->findChild<QObject *>(control);
    QVERIFY(child);
    QCOMPARE(child->property("text").toString(), text);
}

void TestAdmin::maskFollowsEveryEdit_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("caret");
    QTest::newRow("typed in order") << QStringList{"=abc"} << "abc" << 3;
    QTest::newRow("inserted in the middle") << QStringList{"=abc", "<", "=d"} << "abdc" << 3;
    QTest::newRow("backspace at the end") << QStringList{"=abc", "<", "=d", "E", "B"} << "abd" << 3;
    QTest::newRow("delete after the first")
        << QStringList{"=abc", "<", "=d", "E", "B", "H", ">", "D"} << "ad" << 1;
    QTest::newRow("backspace in the middle") << QStringList{"=abcd", "<", "<", "B"} << "acd" << 1;
    QTest::newRow("delete after Home") << QStringList{"=abc", "H", "D"} << "bc" << 0;
    QTest::newRow("delete at the end changes nothing") << QStringList{"=ab", "D"} << "ab" << 2;
    QTest::newRow("paste of several") << QStringList{"=ab", "<", "^xyz"} << "axyzb" << 4;
    QTest::newRow("paste into an empty box") << QStringList{"^73 04"} << "73 04" << 5;
    QTest::newRow("selection replaced by typing") << QStringList{"=abcd", "s<", "s<", "=x"} << "abx" << 3;
    QTest::newRow("selection deleted") << QStringList{"=abcd", "H", "s>", "s>", "D"} << "cd" << 0;
    QTest::newRow("selection replaced by a paste") << QStringList{"=abcd", "<", "s<", "^XY"} << "abXYd" << 4;
    QTest::newRow("a star typed over a selection") << QStringList{"=abcd", "s<", "s<", "=*"} << "ab*" << 3;
    QTest::newRow("middle-click paste at the start") << QStringList{"=9", "m<pw"} << "pw9" << 2;
    QTest::newRow("middle-click paste at the end") << QStringList{"=ab", "H", "m>xy"} << "abxy" << 4;
    QTest::newRow("dropped at the start") << QStringList{"=ab", "d<*y"} << "*yab" << 2;
    QTest::newRow("no more than fifty") << QStringList{"=" + QString(60, 'k')} << QString(50, 'k') << 50;
    QTest::newRow("paste beyond fifty is cut")
        << QStringList{"=" + QString(48, 'k'), "^xyz"} << QString(48, 'k') + "xy" << 50;
}

void TestAdmin::maskFollowsEveryEdit()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, expected);
    QFETCH(int, caret);
    RunningWindow run;
    installAdminFunctions(run.parts(), {});
    run.ui().bjsz->trigger();
    admin::Form8 *login = loginWindow(run);
    QVERIFY(login);
    perform(login->Text2, steps);
    QCOMPARE(held(login->mask()), expected);
    QCOMPARE(login->mask().PasswordLength, expected.size());
    QCOMPARE(login->Text2->text(), QString(expected.size(), '*'));
    QCOMPARE(login->Text2->cursorPosition(), caret);
    QCOMPARE(login->mask().MaskBusy, 0);
}

void TestAdmin::loginComparesTheTrimmedText_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("granted");
    QTest::addColumn<bool>("byEnter");
    QTest::newRow("initial password") << "730418" << "730418" << true << false;
    QTest::newRow("blanks around are ignored") << "730418" << "  730418 " << true << false;
    QTest::newRow("case counts") << "Abc" << "abc" << false << false;
    QTest::newRow("a prefix is not enough") << "730418" << "73041" << false << false;
    QTest::newRow("empty against a password") << "730418" << "" << false << false;
    QTest::newRow("empty against empty") << "" << "" << true << false;
    QTest::newRow("blanks against empty") << "" << "   " << true << false;
    QTest::newRow("text against empty") << "" << "1" << false << false;
    QTest::newRow("Enter confirms") << "730418" << "730418" << true << true;
    QTest::newRow("Enter refuses") << "730418" << "7304" << false << true;
}

void TestAdmin::loginComparesTheTrimmedText()
{
    QFETCH(QString, stored);
    QFETCH(QString, typed);
    QFETCH(bool, granted);
    QFETCH(bool, byEnter);
    RunningWindow run;
    setPassword(run.db(), stored);
    installAdminFunctions(run.parts(), {});
    logIn(run, run.ui().bjsz, typed, byEnter);
    QCOMPARE(run.ui().Frame6->isVisible(), granted);
    admin::Form8 *login = loginWindow(run);
    if (granted) {
        QVERIFY(!login);
        QVERIFY(ui::MessagePresenter::takeShown().isEmpty());
    } else {
        QVERIFY(login && !login->isVisible());
        QCOMPARE(ui::MessagePresenter::takeShown(), QStringList{"您没有系统管理的权限！"});
    }
}

void TestAdmin::refusedLoginKeepsTheBoxForTheNextFunction()
{
    RunningWindow run;
    installAdminFunctions(run.parts(), {});
    logIn(run, run.ui().xksz, "7304");
    QCOMPARE(ui::MessagePresenter::takeShown(), QStringList{"您没有系统管理的权限！"});
    admin::Form8 *refused = loginWindow(run);
    QVERIFY(refused && !refused->isVisible());
    QVERIFY(!run.ui().Frame16->isVisible());

    run.ui().bjsz->trigger();
    QCOMPARE(loginWindow(run), refused);
    QVERIFY(refused->isVisible());
    QCOMPARE(refused->Text2->text(), QStringLiteral("****"));
    QCOMPARE(held(refused->mask()), QStringLiteral("7304"));

    QTest::keyClick(refused->Text2, Qt::Key_End);
    QTest::keyClicks(refused->Text2, "18");
    QTest::mouseClick(refused->Command1, Qt::LeftButton);
    settle();
    QVERIFY(run.ui().Frame6->isVisible());
    QVERIFY(!run.ui().Frame16->isVisible());
    QVERIFY(!loginWindow(run));

    // Unloaded: the next login starts empty.
    run.ui().zysz->trigger();
    QVERIFY(loginWindow(run));
    QCOMPARE(loginWindow(run)->Text2->text(), QString());
    QCOMPARE(loginWindow(run)->mask().PasswordLength, 0);
}

void TestAdmin::testItemsFollowTheirHooks_data()
{
    QTest::addColumn<int>("code");
    QTest::newRow("subject name import") << 2;
    QTest::newRow("test numbering") << 3;
}

void TestAdmin::testItemsFollowTheirHooks()
{
    QFETCH(int, code);
    RunningWindow run;
    installAdminFunctions(run.parts(), {});
    for (QAction *item : {run.ui().bjsz, run.ui().zysz, run.ui().xsmd, run.ui().xksz, run.ui().sjqk, run.ui().mmsd})
        QVERIFY(item->isEnabled());
    QVERIFY(!run.ui().csmddr->isEnabled());
    QVERIFY(!run.ui().jczydr->isEnabled());

    QStringList called;
    installAdminFunctions(run.parts(), {[&] { called << "import"; }, [&] { called << "numbering"; }});
    QVERIFY(run.ui().csmddr->isEnabled());
    QVERIFY(run.ui().jczydr->isEnabled());
    QAction *item = code == 2 ? run.ui().csmddr : run.ui().jczydr;
    logIn(run, item, "wrong");
    QVERIFY(called.isEmpty());
    item->trigger();
    QTest::keyClick(loginWindow(run)->Text2, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(loginWindow(run)->Text2, Qt::Key_Delete);
    QTest::keyClicks(loginWindow(run)->Text2, "730418");
    QTest::mouseClick(loginWindow(run)->Command1, Qt::LeftButton);
    settle();
    QCOMPARE(called, QStringList{code == 2 ? "import" : "numbering"});
}

void TestAdmin::passwordChange_data()
{
    QTest::addColumn<QString>("old");
    QTest::addColumn<QString>("fresh");
    QTest::addColumn<QString>("again");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("stored");
    QTest::newRow("old missing") << "" << "1234" << "1234" << "有未输入的项目！" << "730418";
    QTest::newRow("repetition missing") << "730418" << "1234" << "" << "有未输入的项目！" << "730418";
    QTest::newRow("old wrong") << "730419" << "1234" << "1234" << "您输入的旧密码有误！" << "730418";
    QTest::newRow("old with a blank") << "730418 " << "1234" << "1234" << "您输入的旧密码有误！" << "730418";
    QTest::newRow("repetition differs") << "730418" << "1234" << "1243" << "您输入的新密码有待确认！" << "730418";
    QTest::newRow("leading blank") << "730418" << " 1234" << " 1234" << "新密码的开头和结尾不能是空格！" << "730418";
    QTest::newRow("trailing blank") << "730418" << "1234 " << "1234 " << "新密码的开头和结尾不能是空格！" << "730418";
    QTest::newRow("changed") << "730418" << "ab 12" << "ab 12" << "密码修改成功！" << "ab 12";
}

void TestAdmin::passwordChange()
{
    QFETCH(QString, old);
    QFETCH(QString, fresh);
    QFETCH(QString, again);
    QFETCH(QString, message);
    QFETCH(QString, stored);
    RunningWindow run;
    installAdminFunctions(run.parts(), {});
    run.ui().mmsd->trigger();
    auto *form9 = run.window->findChild<admin::Form9 *>(QStringLiteral("Form9"));
    QVERIFY(form9 && form9->isVisible());
    QCOMPARE(form9->windowTitle(), QStringLiteral("密码输入"));
    QTest::keyClicks(form9->Text2, old);
    QTest::keyClicks(form9->Text1, fresh);
    QTest::keyClicks(form9->Text3, again);
    QTest::mouseClick(form9->Command1, Qt::LeftButton);
    settle();
    QCOMPARE(ui::MessagePresenter::takeShown(), QStringList{message});
    store::Database file = openFile(run.folder.path());
    QCOMPARE(value(file, "SELECT \"密码\" FROM \"管理密码\"").toString(), stored);
    const bool changed = stored != "730418";
    QCOMPARE(run.window->findChild<admin::Form9 *>(QStringLiteral("Form9")) == nullptr, changed);
    if (changed) {
        logIn(run, run.ui().bjsz, stored);
        QVERIFY(run.ui().Frame6->isVisible());
    }
}

void TestAdmin::clearingKeepsMasterDataAndClosingWritesNothing()
{
    RunningWindow run;
    store::Database &db = run.db();
    run.publish(3, "第5页");
    addPupils(db, 30, "52姓名");
    addDay(db, "14-5-16", {{2, "二班的作业"}}, {{2, "101"}}, 2);
    db.exec("INSERT INTO \"语文\" (\"姓名\", \"测试1\") VALUES ('学生1', '95')");
    db.exec("UPDATE \"班级\" SET \"班级1\" = '五(1)'");
    db.exec("UPDATE \"学科显示作业本标记\" SET \"语文\" = 1, \"科学\" = 1, \"全部\" = 1");
    db.exec("UPDATE \"最近显示作业\" SET \"日期\" = '14-5-17', \"显示标题\" = 'x'");
    db.exec("UPDATE \"最新输入作业\" SET \"日期\" = '14-5-17', \"组合键\" = 'y'");
    db.exec("UPDATE \"语数英科在作业本名称中的顺序号\" SET \"语文\" = 1, \"数学\" = 2, \"英语\" = 3, \"科学\" = 4");
    run.remembered().rememberShown(run.day(), "1", "3", "《本子3》第5页");
    installAdminFunctions(run.parts(), {});

    logIn(run, run.ui().sjqk);
    QVERIFY(ui::MessagePresenter::takeShown().isEmpty());
    QCOMPARE(run.context().run().dataCleared(), 1);
    QCOMPARE(run.context().run().restartPending(), 1);
    QVERIFY(run.ui().Command7->isVisible());
    QCOMPARE(run.ui().Command7->text(), QStringLiteral("有关数据已清除，请重启软件！"));
    QVERIFY(!run.ui().Timer1->isActive());

    const auto checkCleared = [&](store::Database &file) {
        for (const char *table : {"扫描输入作业完成情况", "作业内容登记表", "52扫描输入作业完成情况", "52作业内容登记表"})
            QCOMPARE(count(file, table), 0);
        QCOMPARE(value(file, "SELECT sum(\"语文\" + \"数学\" + \"英语\" + \"科学\") FROM \"学科显示作业本标记\"").toInt(), 0);
        QCOMPARE(value(file, "SELECT sum(\"全部\") FROM \"学科显示作业本标记\"").toInt(), 32);
        QCOMPARE(value(file, "SELECT count(*) FROM \"最近显示作业\" WHERE \"日期\" || \"班级号\" || \"作业本号\" || \"组合键\" || \"显示标题\" = ''").toInt(), 11);
        QCOMPARE(value(file, "SELECT count(*) FROM \"最新输入作业\" WHERE \"日期\" || \"班级号\" || \"作业本号\" || \"组合键\" || \"显示标题\" = ''").toInt(), 8);
        QCOMPARE(value(file, "SELECT \"语文\" + \"数学\" + \"英语\" + \"科学\" FROM \"语数英科在作业本名称中的顺序号\"").toInt(), 0);
        QCOMPARE(count(file, "姓名"), 40);
        QCOMPARE(count(file, "52姓名"), 30);
        QCOMPARE(value(file, "SELECT \"班级1\" FROM \"班级\"").toString(), QStringLiteral("五(1)"));
        QCOMPARE(value(file, "SELECT \"本子3\" FROM \"作业本名称\"").toString(), QStringLiteral("《本子3》"));
        QCOMPARE(value(file, "SELECT \"测试1\" FROM \"语文\" WHERE \"姓名\" = '学生1'").toString(), QStringLiteral("95"));
        QCOMPARE(value(file, "SELECT \"密码\" FROM \"管理密码\"").toString(), QStringLiteral("730418"));
    };
    checkCleared(db);

    // The notice closes the window, whose shut-down then writes nothing back.
    QTest::mouseClick(run.ui().Command7, Qt::LeftButton);
    QVERIFY(!run.window->isVisible());
    QVERIFY(ui::MessagePresenter::takeShown().isEmpty());
    run.window.reset();
    store::Database file = openFile(run.folder.path());
    checkCleared(file);
}

// The row of the restore window's list whose reason is given.
static int rowOf(admin::RestoreWindow *window, const QString &reason)
{
    for (int row = 0; row < window->copies->rowCount(); ++row)
        if (window->copies->item(row, 1)->text() == reason)
            return row;
    return -1;
}

void TestAdmin::clearingIsUndoneFromTheRestoreWindow()
{
    RunningWindow run;
    run.publish(3, "第5页");
    run.scan("110305");
    installAdminFunctions(run.parts(), {});
    logIn(run, run.ui().sjqk);
    QCOMPARE(count(run.db(), "作业内容登记表"), 0);

    logIn(run, run.ui().sjhf);
    auto *window = run.window->findChild<admin::RestoreWindow *>(QStringLiteral("RestoreWindow"));
    QVERIFY(window && window->isVisible());
    const int beforeClearing = rowOf(window, QStringLiteral("清空前"));
    QVERIFY(beforeClearing >= 0);
    window->copies->selectRow(beforeClearing);
    QCOMPARE(window->copies->item(beforeClearing, 2)->text(), QStringLiteral("1"));
    ui::MessagePresenter::setNextAnswer(ui::MessagePresenter::Answer::Ok);
    QTest::mouseClick(window->restoreButton, Qt::LeftButton);
    QCOMPARE(run.ui().Command7->text(), QStringLiteral("数据已恢复，请重启软件！"));

    // The cleared file was itself kept, and closing writes nothing over the restored records.
    QVERIFY(rowOf(new admin::RestoreWindow(*run.window, run.context()), QStringLiteral("恢复前")) >= 0);
    QTest::mouseClick(run.ui().Command7, Qt::LeftButton);
    run.window.reset();
    store::Database file = openFile(run.folder.path());
    QCOMPARE(count(file, "作业内容登记表"), 1);
    QCOMPARE(value(file, "SELECT substr(\"完成3\", 13, 3) FROM \"扫描输入作业完成情况\"").toString(), QStringLiteral("052"));
}

void TestAdmin::restoreIsReachedFromTheKeyboard_data()
{
    QTest::addColumn<int>("tabs"); // after the arrow has chosen the second copy
    QTest::addColumn<bool>("restored");
    QTest::newRow("Enter in the list") << 0 << true;
    QTest::newRow("Tab to 恢复所选备份, Enter") << 1 << true;
    QTest::newRow("Tab to 关闭, Enter") << 2 << false;
}

void TestAdmin::restoreIsReachedFromTheKeyboard()
{
    QFETCH(int, tabs);
    QFETCH(bool, restored);
    RunningWindow run;
    run.context().backUp(store::BackupReason::BeforeClearing);
    run.context().backUp(store::BackupReason::BeforeNameImport);
    QPointer<admin::RestoreWindow> window = new admin::RestoreWindow(*run.window, run.context());
    window->show();
    QApplication::setActiveWindow(window);
    QVERIFY(QTest::qWaitForWindowActive(window));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    const QString chosen = window->copies->item(1, 1)->text();
    for (int i = 0; i < tabs; ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ui::MessagePresenter::takeShown();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    const QStringList asked = ui::MessagePresenter::takeShown();
    QCOMPARE(!asked.isEmpty() && asked[0].contains(chosen) && run.context().run().dataCleared() != 0, restored);
    QVERIFY(!window || !window->isVisible());
}

void TestAdmin::nothingIsWrittenAfterARestore_data()
{
    QTest::addColumn<QString>("action");
    for (const char *action : {"scan", "correction", "undo", "remembered book", "newest book", "today's book", "by day",
                               "by book", "by name", "export", "publishing", "password", "class names", "sounds"})
        QTest::newRow(action) << QString::fromUtf8(action);
}

// Memory holds the records the restore replaced: whatever the teacher does until the restart,
// the restored file keeps every byte, and the refusal is told.
void TestAdmin::nothingIsWrittenAfterARestore()
{
    QFETCH(QString, action);
    RunningWindow run;
    installAdminFunctions(run.parts(), {});
    run.publish(3, "第5页");
    run.scan("110305");
    run.remembered().addPublished({QString(), "14-5-17", "1", "3", "14-5-1713", "《本子3》第5页"});
    auto links = run.master().SubjectBookFlags;
    links[1][3] = 1;
    run.context().master().saveSubjectBookFlags(links, core::kBooks);
    run.context().restore(run.context().backUp(store::BackupReason::BeforeClearing));
    QCOMPARE(run.ui().Command7->text(), QStringLiteral("数据已恢复，请重启软件！"));
    ui::MessagePresenter::takeShown();
    const QByteArray restored = databaseBytes(run.folder.path());

    if (action == "scan") {
        run.scan("110306");
    } else if (action == "correction") {
        run.window->List1_DblClick("7：学生7");
    } else if (action == "undo") {
        QTest::keyClick(run.ui().Text1, Qt::Key_Z, Qt::ControlModifier);
    } else if (action == "remembered book") {
        QTest::mouseClick(run.ui().Command16[0], Qt::LeftButton);
    } else if (action == "newest book") {
        QTest::mouseClick(run.ui().Command20[0], Qt::LeftButton);
    } else if (action == "today's book") {
        QTest::mouseClick(run.ui().Command4[0], Qt::LeftButton);
        QTest::mouseClick(run.ui().Command3[1], Qt::LeftButton);
        run.window->close();
    } else if (action == "by day" || action == "by book" || action == "by name" || action == "export") {
        QTest::mouseClick(run.ui().Command4[action == "by day" ? 2 : action == "by book" ? 3 : action == "by name" ? 4 : 5],
                          Qt::LeftButton);
    } else if (action == "publishing") {
        run.ui().renwufabu->trigger();
        auto *form = run.window->findChild<tracking::Form12 *>("Form12");
        form->Command11_Click(1);
        form->List3->setCurrentRow(0);
        form->List3_Click();
        form->List1->addItem("14-5-17");
        form->List1->setCurrentRow(0);
        form->List1_Click();
        form->Text1->setText("第6页");
        form->Command1_Click();
    } else if (action == "password") {
        run.ui().mmsd->trigger();
        auto *form9 = run.window->findChild<admin::Form9 *>("Form9");
        for (QLineEdit *box : {form9->Text2, form9->Text1, form9->Text3})
            box->setText(box == form9->Text2 ? "730418" : "123456");
        form9->Command1_Click();
    } else if (action == "class names") {
        logIn(run, run.ui().bjsz);
        run.ui().Text3[0]->setText("六(1)");
        QTest::mouseClick(run.ui().Command8, Qt::LeftButton);
    } else if (action == "sounds") {
        run.ui().scanSounds->trigger();
    }
    QCOMPARE(databaseBytes(run.folder.path()), restored);
    const QStringList shown = ui::MessagePresenter::takeShown();
    // Taking back nothing and picking a book of the shown day write nothing in the first place.
    const bool writes = action != "undo" && action != "today's book";
    const QString told = action == "scan" ? run.ui().Label1->text() : shown.join('\n');
    QCOMPARE(told.contains(core::RunState::writesClosedMessage()), writes);
}

void TestAdmin::aDamagedCopyIsRefused()
{
    RunningWindow run;
    run.publish(3, "第5页");
    run.context().finishDailyBackup();
    const QString folder = store::Backups(run.folder.path()).folder();
    QFile damaged(QDir(folder).filePath("作业查找数据库-2099-01-01-每日.mdb"));
    QVERIFY(damaged.open(QIODevice::WriteOnly));
    damaged.write(QByteArray(4096, '\0'));
    damaged.close();
    const int copiesBefore = int(QDir(folder).entryList(QDir::Files).size());

    auto *window = new admin::RestoreWindow(*run.window, run.context());
    QCOMPARE(window->copies->item(0, 2)->text(), QStringLiteral("无法读取"));
    window->copies->selectRow(0);
    ui::MessagePresenter::setNextAnswer(ui::MessagePresenter::Answer::Ok);
    QVERIFY(!window->restoreChosen());
    const QStringList shown = ui::MessagePresenter::takeShown();
    QCOMPARE(shown.size(), 1);
    QVERIFY2(shown[0].contains("无法使用"), qPrintable(shown[0]));
    QCOMPARE(run.context().run().dataCleared(), 0);
    QCOMPARE(count(run.db(), "作业内容登记表"), 1);
    QCOMPARE(int(QDir(folder).entryList(QDir::Files).size()), copiesBefore);
}

void TestAdmin::aFailedDailyBackupLetsTheWorkGoOn()
{
    ProgramFolder folder(40);
    QFile blocker(QDir(folder.path()).filePath("备份"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    FixedClock clock;
    Form1 window(folder.path(), clock);
    // Told once the window shows, by the copy's own thread.
    QVERIFY(window.isVisible());
    QStringList told;
    QTRY_VERIFY(!(told += ui::MessagePresenter::takeShown()).isEmpty());
    QCOMPARE(told.size(), 1);
    setContent(window.context().db().database(), window.context().day().state().CurrentDateKey, 3, "第5页");
    window.Timer1_Timer();
    window.controls().Text1->setText("110305");
    window.Text1_KeyPress(13);
    QCOMPARE(window.context().day().state().Classes[1].MarkGrid[3][5], QStringLiteral("2"));
}

void TestAdmin::clearingCopesWithFewerRows()
{
    RunningWindow run;
    store::Database &db = run.db();
    db.exec("UPDATE \"学科显示作业本标记\" SET \"数学\" = 1");
    db.exec("DELETE FROM \"学科显示作业本标记\" WHERE rowid > 5");
    db.exec("UPDATE \"最近显示作业\" SET \"日期\" = '14-5-17'");
    db.exec("DELETE FROM \"最近显示作业\" WHERE rowid > 3");
    db.exec("DELETE FROM \"最新输入作业\"");
    db.exec("DELETE FROM \"语数英科在作业本名称中的顺序号\"");
    installAdminFunctions(run.parts(), {});
    logIn(run, run.ui().sjqk);
    QVERIFY(ui::MessagePresenter::takeShown().isEmpty());
    QCOMPARE(run.context().run().dataCleared(), 1);
    store::Database file = openFile(run.folder.path());
    QCOMPARE(count(file, "作业内容登记表"), 0);
    QCOMPARE(count(file, "学科显示作业本标记"), 5);
    QCOMPARE(value(file, "SELECT sum(\"数学\") FROM \"学科显示作业本标记\"").toInt(), 0);
    QCOMPARE(count(file, "最近显示作业"), 3);
    QCOMPARE(value(file, "SELECT count(*) FROM \"最近显示作业\" WHERE \"日期\" = ''").toInt(), 3);
}

void TestAdmin::classNamesAreStoredAsTyped()
{
    RunningWindow run;
    installAdminFunctions(run.parts(), {});
    logIn(run, run.ui().bjsz);
    QVERIFY(run.ui().Frame6->isVisible());
    QCOMPARE(run.ui().Frame6->title(), QStringLiteral("班级设置："));
    run.ui().Text3[0]->clear();
    typeText(run.ui().Text3[0], "三(2)");
    run.ui().Text3[1]->clear();
    QTest::mouseClick(run.ui().Command8, Qt::LeftButton);
    QVERIFY(!run.ui().Frame6->isVisible());
    QCOMPARE(run.ui().Command7->text(), QStringLiteral("导入到数据库完成，请重启软件！"));
    QVERIFY(run.ui().Command7->isVisible());
    QCOMPARE(run.context().run().restartPending(), 1);
    store::Database file = openFile(run.folder.path());
    QCOMPARE(value(file, "SELECT \"班级1\" FROM \"班级\"").toString(), QStringLiteral("三(2)"));
    QCOMPARE(value(file, "SELECT \"班级2\" IS NOT NULL AND \"班级2\" = '' FROM \"班级\"").toInt(), 1);

    QTest::mouseClick(run.ui().Command7, Qt::LeftButton);
    QVERIFY(!run.window->isVisible());
}

void TestAdmin::bookNamesEditorReadsAndWritesTheTable()
{
    RunningWindow run;
    run.db().exec("UPDATE \"作业本名称\" SET \"本子32\" = NULL");
    setBookName(run.db(), 9, "《口算训练本》");
    installAdminFunctions(run.parts(), {});
    logIn(run, run.ui().zysz);
    QVERIFY(run.ui().Frame9->isVisible());
    QCOMPARE(run.ui().Text4[0]->text(), QStringLiteral("《本子1》"));
    QCOMPARE(run.ui().Text4[8]->text(), QStringLiteral("《口算训练本》"));
    QCOMPARE(run.ui().Text4[31]->text(), QString());
    run.ui().Text4[1]->clear();
    typeText(run.ui().Text4[1], "《课堂作业本》");
    run.ui().Text4[2]->clear();
    typeText(run.ui().Text4[31], "《第三十二》");
    QTest::mouseClick(run.ui().Command9, Qt::LeftButton);
    QVERIFY(!run.ui().Frame9->isVisible());
    QCOMPARE(run.context().run().restartPending(), 1);
    QCOMPARE(run.master().BookNames[2], QStringLiteral("《本子2》"));
    store::Database file = openFile(run.folder.path());
    const QStringList expected{"《本子1》", "《课堂作业本》", "", "《本子4》"};
    for (int book = 1; book <= 4; ++book)
        QCOMPARE(value(file, QStringLiteral("SELECT \"本子%1\" FROM \"作业本名称\"").arg(book)).toString(), expected[book - 1]);
    QCOMPARE(value(file, "SELECT \"本子9\" FROM \"作业本名称\"").toString(), QStringLiteral("《口算训练本》"));
    QCOMPARE(value(file, "SELECT \"本子32\" FROM \"作业本名称\"").toString(), QStringLiteral("《第三十二》"));
    QCOMPARE(value(file, "SELECT \"编号\" FROM \"作业本名称\"").toInt(), 1);
}

void TestAdmin::subjectListsShowTheNamedBooksOnly()
{
    RunningWindow run;
    for (int b = 7; b <= 8; ++b)
        setBookName(run.db(), b, "");
    run.db().exec("UPDATE \"学科显示作业本标记\" SET \"数学\" = 1, \"全部\" = 1 WHERE rowid IN (2, 7, 20)");
    run.db().exec("UPDATE \"学科显示作业本标记\" SET \"科学\" = 1 WHERE rowid = 9");
    run.restart();
    installAdminFunctions(run.parts(), {});

    for (int opening = 1; opening <= 2; ++opening) {
        logIn(run, run.ui().xksz);
        QVERIFY(run.ui().Frame16->isVisible());
        for (QListWidget *list : run.ui().List8) {
            QCOMPARE(list->count(), 6);
            QCOMPARE(list->item(5)->text(), QStringLiteral("《本子6》"));
        }
        QCOMPARE(run.ui().List8[1]->selectedItems().size(), 1);
        QVERIFY(run.ui().List8[1]->item(1)->isSelected());
        QTest::mouseClick(run.ui().Command17, Qt::LeftButton);
        QVERIFY(!run.ui().Frame16->isVisible());
    }

    logIn(run, run.ui().xksz);
    QListWidget *mathematics = run.ui().List8[1];
    const auto click = [](QListWidget *list, int row) {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
    };
    click(mathematics, 2);
    click(mathematics, 1);
    click(run.ui().List8[0], 5);
    QTest::mouseClick(run.ui().Command1, Qt::LeftButton);
    QVERIFY(!run.ui().Frame16->isVisible());
    QCOMPARE(run.ui().Command7->text(), QStringLiteral("导入到数据库完成，请重启软件！"));
    QCOMPARE(run.context().run().restartPending(), 1);
    QCOMPARE(run.master().SubjectBookFlags[2][3], 1);
    QCOMPARE(run.master().SubjectBookFlags[2][2], 0);

    store::Database file = openFile(run.folder.path());
    const auto flags = [&](int row) {
        return value(file, QStringLiteral("SELECT \"语文\" || \"数学\" || \"英语\" || \"科学\" || \"全部\" FROM "
                                          "\"学科显示作业本标记\" ORDER BY rowid LIMIT 1 OFFSET %1").arg(row - 1))
            .toString();
    };
    QCOMPARE(flags(2), QStringLiteral("00001"));
    QCOMPARE(flags(3), QStringLiteral("01000"));
    QCOMPARE(flags(6), QStringLiteral("10000"));
    QCOMPARE(flags(7), QStringLiteral("01001"));
    QCOMPARE(flags(9), QStringLiteral("00010"));
    QCOMPARE(flags(20), QStringLiteral("01001"));
}

void TestAdmin::subjectEditorClosedWithoutSavingKeepsTheFlags()
{
    RunningWindow run;
    installAdminFunctions(run.parts(), {});
    logIn(run, run.ui().xksz);
    QCOMPARE(run.ui().List8[3]->count(), 8);
    run.ui().List8[3]->item(4)->setSelected(true);
    QTest::mouseClick(run.ui().Command17, Qt::LeftButton);
    QVERIFY(!run.ui().Frame16->isVisible());
    QCOMPARE(run.context().run().restartPending(), 0);
    QVERIFY(!run.ui().Command7->isVisible());
    QCOMPARE(run.master().SubjectBookFlags[4][5], 0);
    store::Database file = openFile(run.folder.path());
    QCOMPARE(value(file, "SELECT sum(\"科学\") FROM \"学科显示作业本标记\"").toInt(), 0);
}

QTEST_MAIN(TestAdmin)
#include "TestAdmin.moc"
