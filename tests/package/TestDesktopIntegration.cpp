#include "ui/MessagePresenter.h"
#include "ui/Translations.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTranslator>

class TestDesktopIntegration : public QObject {
    Q_OBJECT

private slots:
    void messageBoxesSpeakChinese_data();
    void messageBoxesSpeakChinese();
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

    // A question as the program asks it, read and answered Cancel.
    QString title;
    QStringList buttons;
    QTimer::singleShot(0, [&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            title = box->windowTitle();
            for (QAbstractButton *button : box->buttons())
                buttons << button->text();
            box->button(QMessageBox::Cancel)->click();
        }
    });
    ui::MessagePresenter::setTestMode(false);
    QCOMPARE(ui::MessagePresenter::ask(nullptr, QStringLiteral("是否替换？")), ui::MessagePresenter::Answer::Cancel);
    QCOMPARE(title, QStringLiteral("作业完成情况条形码查找系统"));
    buttons.sort();
    QCOMPARE(buttons, (QStringList{QStringLiteral("取消"), QStringLiteral("确定")}));
}

QTEST_MAIN(TestDesktopIntegration)
#include "TestDesktopIntegration.moc"
