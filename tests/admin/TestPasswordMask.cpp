#include "admin/PasswordMask.h"

#include <QtTest>

// The box after the edit, the caret after it, and the selection start and length noted as the key
// went down (-1 when no key made the edit).
using Edit = std::tuple<QString, int, int, int>;

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
    const QList<Edit> abc{{"a", 1, 0, 0}, {"*b", 2, 1, 0}, {"**c", 3, 2, 0}};
    QTest::newRow("typed in order") << abc << "abc";
    QTest::newRow("fourth typed before the third") << abc + QList<Edit>{{"**d*", 3, 2, 0}} << "abdc";
    QTest::newRow("then backspace at the end") << abc + QList<Edit>{{"**d*", 3, 2, 0}, {"***", 3, 4, 0}} << "abd";
    QTest::newRow("then delete after the first")
        << abc + QList<Edit>{{"**d*", 3, 2, 0}, {"***", 3, 4, 0}, {"**", 1, 1, 0}} << "ad";
    QTest::newRow("paste of several in the middle") << abc + QList<Edit>{{"*xyz**", 4, 1, 0}} << "axyzbc";
    QTest::newRow("backspace of the first") << abc + QList<Edit>{{"**", 0, 1, 0}} << "bc";
    QTest::newRow("backspace in the middle") << abc + QList<Edit>{{"**", 1, 2, 0}} << "ac";
    QTest::newRow("everything removed") << abc + QList<Edit>{{"", 0, 3, 0}} << "";
    QTest::newRow("insertion at the front") << abc + QList<Edit>{{"q***", 1, 0, 0}} << "qabc";
    QTest::newRow("more than the room is cut")
        << QList<Edit>{{QString(50, 'k'), 50, 0, 0}, {QString(50, '*') + "z", 51, 50, 0}} << QString(50, 'k');
    // A middle click moves the caret before it pastes, so the caret before tells nothing.
    QTest::newRow("middle-click paste at the front") << QList<Edit>{{"9", 1, 0, 0}, {"pw*", 2, -1, 0}} << "pw9";
    QTest::newRow("a star pasted at the front") << abc + QList<Edit>{{"*x***", 2, -1, 0}} << "*xabc";
    QTest::newRow("selection replaced without a key") << abc + QList<Edit>{{"*q", 2, -1, 0}} << "aq";
    QTest::newRow("a star typed over a selection") << abc + QList<Edit>{{"**", 2, 1, 2}} << "a*";
    QTest::newRow("caret left elsewhere") << abc + QList<Edit>{{"***xy", 0, -1, 0}} << "abcxy";
}

void TestPasswordMask::editsAsTheBoxReportsThem()
{
    QFETCH(QList<Edit>, edits);
    QFETCH(QString, expected);
    admin::PasswordMask mask;
    for (const auto &[box, after, caretBefore, selectedBefore] : edits) {
        mask.CaretBefore = caretBefore;
        mask.SelectedBefore = selectedBefore;
        mask.mmyc(box, after);
    }
    QString held;
    for (int i = 1; i <= mask.PasswordLength; ++i)
        held += mask.PasswordChars[i];
    QCOMPARE(held, expected);
    QCOMPARE(mask.asterisks(), QString(expected.size(), '*'));
}

void TestPasswordMask::typedTextIsTrimmed()
{
    admin::PasswordMask mask;
    mask.mmyc(" 7 3 ", 5);
    QCOMPARE(mask.PasswordLength, 5);
    QCOMPARE(mask.typed(), QStringLiteral("7 3"));
    QVERIFY(admin::hasOuterBlank(QStringLiteral(" 730418")));
    QVERIFY(admin::hasOuterBlank(QStringLiteral("730418\u3000")));
    QVERIFY(!admin::hasOuterBlank(QStringLiteral("73 0418")));
}

QTEST_GUILESS_MAIN(TestPasswordMask)
#include "TestPasswordMask.moc"
