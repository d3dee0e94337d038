#include "tracking/BookCode.h"

#include "store/TextValue.h"
#include "tracking/DayRecords.h"

#include <algorithm>

namespace tracking {

CheckedCode checkBookCode(const QString &typedAsIs, const QString &currentBookDigits, int shownClass,
                          const core::MasterRecords &master)
{
    const QString typed = typedAsIs.normalized(QString::NormalizationForm_KC).trimmed();
    CheckedCode result;
    // Without a shown book a pupil's number alone would land in whatever book its digits name.
    if ((typed.size() == 1 || typed.size() == 2) && currentBookDigits.isEmpty()) {
        result.check = CodeCheck::NoBookShown;
        return result;
    }
    const QString completion = QLatin1Char('1') + QString::number(shownClass) + currentBookDigits;
    switch (typed.size()) {
    case 1:
        result.code = completion + QLatin1Char('0') + typed;
        break;
    case 2:
        result.code = completion + typed;
        break;
    case 6:
        result.code = typed;
        break;
    default:
        result.check = CodeCheck::WrongLength;
        return result;
    }
    result.classNumber = result.code.at(1) == QLatin1Char('2') && master.roll(2) > 0 ? 2
                         : result.code.at(1) == QLatin1Char('1')                 ? 1
                                                                                 : 0;
    if (result.classNumber == 0) {
        result.check = CodeCheck::WrongClass;
        return result;
    }
    result.slot = store::integerValue(result.code.mid(2, 2));
    if (result.slot > core::kBooks || result.slot < 1) {
        result.check = CodeCheck::WrongBook;
        return result;
    }
    result.pupil = store::integerValue(result.code.right(2));
    const int roll = master.roll(result.classNumber);
    result.check = result.pupil < 1 || result.pupil > roll ? CodeCheck::WrongPupil : CodeCheck::Accepted;
    return result;
}

QString codeMessage(CodeCheck check)
{
    switch (check) {
    case CodeCheck::WrongLength:
        return QStringLiteral("输入编号长度有误！");
    case CodeCheck::WrongClass:
        return QStringLiteral("输入编号班级有误！");
    case CodeCheck::WrongBook:
        return QStringLiteral("输入作业本编号有误！");
    case CodeCheck::WrongPupil:
        return QStringLiteral("输入学生的学号有误！");
    case CodeCheck::NoBookShown:
        return QStringLiteral("请先选择相应的作业，再只输入学号！");
    case CodeCheck::Accepted:
        break;
    }
    return QString();
}

QString 取得相应班级相应本子编号的作业本名称和内容(const core::DayState &day, const core::MasterRecords &master,
                                               const QString &classDigit, const QString &bookDigits)
{
    const int slot = 取得记录表中的顺序号(classDigit + bookDigits);
    const int classNumber = classDigit == QLatin1String("2") ? 2 : 1;
    return slot >= 1 && slot <= core::kBooks ? master.BookNames[slot] + day.Classes[classNumber].HomeworkContent[slot] : QString();
}

ExcellentPanel recordScan(core::ClassDay &day, int slot, int pupil)
{
    QString &mark = day.MarkGrid[slot][pupil];
    if (day.ExcellentClosedAtLoad[slot] == 0) {
        mark = QStringLiteral("2");
        day.ExcellentClosed[slot] = 1;
        return ExcellentPanel::Show;
    }
    if (mark != QLatin1String("2") && day.ExcellentClosedAtLoad[slot] == 1) {
        mark = QStringLiteral("1");
        return ExcellentPanel::Hide;
    }
    return ExcellentPanel::Keep;
}

} // namespace tracking
