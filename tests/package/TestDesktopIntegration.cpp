#include "ui/MessagePresenter.h"
#include "ui/ProgramIdentity.h"
#include "ui/Translations.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTranslator>

namespace {

struct ShownBox {
    QString title;
    QStringList buttons;
};

// Shows a question as the program does, reads the box and answers Cancel.
ShownBox askAndCancel(ui::MessagePresenter::Answer &answer)
{
    ShownBox shown;
    QTimer::singleShot(0, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        shown.title = box->windowTitle();
        for (QAbstractButton *button : box->buttons())
            shown.buttons << button->text();
        box->button(QMessageBox::Cancel)->click();
    });
    answer = ui::MessagePresenter::ask(nullptr, QStringLiteral("是否替换？"));
    shown.buttons.sort();
    return shown;
}

} // namespace

class TestDesktopIntegration : public QObject {
    Q_OBJECT

private slots:
    void messageBoxesSpeakChinese_data();
    void messageBoxesSpeakChinese();
    void windowsShowTheMenuEntrysIcon();
};

void TestDesktopIntegration::messageBoxesSpeakChinese_data()
{
    QTest::addColumn<bool>("translationsThere");
    QTest::newRow("without Qt's translation") << false;
    QTest::newRow("with Qt's translation") << true;
}

void TestDesktopIntegration::messageBoxesSpeakChinese()
{
    QFETCH(bool, translationsThere);
    for (QTranslator *loaded : qApp->findChildren<QTranslator *>())
        QCoreApplication::removeTranslator(loaded);
    QTemporaryDir empty;
    QCOMPARE(ui::loadChineseTranslations(*qApp, translationsThere ? QString() : empty.path()), translationsThere);
    if (translationsThere) { // the buttons named by Qt itself, the print dialog's texts with them
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "OK"), QStringLiteral("确定"));
        QCOMPARE(QCoreApplication::translate("QPrintDialog", "Print"), QStringLiteral("打印"));
    }

    ui::MessagePresenter::setTestMode(false);
    ui::MessagePresenter::Answer answer = ui::MessagePresenter::Answer::Ok;
    const ShownBox shown = askAndCancel(answer);
    QCOMPARE(shown.title, QStringLiteral("作业完成情况条形码查找系统"));
    QCOMPARE(shown.buttons, (QStringList{QStringLiteral("取消"), QStringLiteral("确定")}));
    QCOMPARE(answer, ui::MessagePresenter::Answer::Cancel);
}

void TestDesktopIntegration::windowsShowTheMenuEntrysIcon()
{
    ui::setProgramIdentity();
    QVERIFY(QFileInfo::exists(QStringLiteral(PACKAGE_RESOURCES "/%1.desktop").arg(QGuiApplication::desktopFileName())));
    const QList<QSize> sizes = QApplication::windowIcon().availableSizes();
    QVERIFY2(sizes.contains(QSize(16, 16)) && sizes.contains(QSize(256, 256)), qPrintable(QString::number(sizes.size())));
}

QTEST_MAIN(TestDesktopIntegration)
#include "TestDesktopIntegration.moc"
