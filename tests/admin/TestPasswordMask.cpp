#include "admin/PasswordMask.h"

#include <QtTest>

using Edit = std::tuple<QString, int, int, int>; // box after the edit, caret after, caret before, kind

class TestPasswordMask : public QObject {
    Q_OBJECT

private slots:
    void editsAsTheBoxReportsThem_data();
    void editsAsTheBoxReportsThem();
    void typedTextIsTrimmed();
};

void TestPasswordMask::editsAsTheBoxReportsThem_data()
{
    QTest::addColumn<QList<Edit>>("edits");
    QTest::addColumn<QString>("expected");
    const QList<Edit> abc{{"a", 1, 0, 1}, {"*b", 2, 1, 1}, {"**c", 3, 2, 1}};
    QTest::newRow("typed in order") << abc << "abc";
    QTest::newRow("fourth typed before the third") << abc + QList<Edit>{{"**d*", 3, 2, 1}} << "abdc";
    QTest::newRow("then backspace at the end") << abc + QList<Edit>{{"**d*", 3, 2, 1}, {"***", 3, 4, 0}} << "abd";
    QTest::newRow("then delete after the first")
        << abc + QList<Edit>{{"**d*", 3, 2, 1}, {"***", 3, 4, 0}, {"**", 1, 1, 0}} << "ad";
    QTest::newRow("paste of several in the middle") << abc + QList<Edit>{{"*xyz**", 4, 1, 1}} << "axyzbc";
    QTest::newRow("backspace of the first") << abc + QList<Edit>{{"**", 0, 1, 0}} << "bc";
    QTest::newRow("everything removed") << abc + QList<Edit>{{"", 0, 3, 0}} << "";
    QTest::newRow("insertion at the front") << abc + QList<Edit>{{"q***", 1, 0, 1}} << "qabc";
    QTest::newRow("more than the room is cut")
        << QList<Edit>{{QString(50, 'k'), 50, 0, 1}, {QString(50, '*') + "z", 51, 50, 1}} << QString(50, 'k');
}

void TestPasswordMask::editsAsTheBoxReportsThem()
{
    QFETCH(QList<Edit>, edits);
    QFETCH(QString, expected);
    admin::PasswordMask mask;
    for (const auto &[box, after, before, kind] : edits)
        mask.mmyc(box, after, before, kind);
    QString held;
    for (int i = 1; i <= mask.PasswordLength; ++i)
        held += mask.PasswordChars[i];
    QCOMPARE(held, expected);
    QCOMPARE(mask.asterisks(), QString(expected.size(), '*'));
}

void TestPasswordMask::typedTextIsTrimmed()
{
    admin::PasswordMask mask;
    mask.mmyc(" 7 3 ", 5, 0, 1);
    QCOMPARE(mask.PasswordLength, 5);
    QCOMPARE(mask.typed(), QStringLiteral("7 3"));
    QVERIFY(admin::hasOuterBlank(QStringLiteral(" 730418")));
    QVERIFY(admin::hasOuterBlank(QStringLiteral("730418\u3000")));
    QVERIFY(!admin::hasOuterBlank(QStringLiteral("73 0418")));
}

QTEST_GUILESS_MAIN(TestPasswordMask)
#include "TestPasswordMask.moc"
