#include "labels/LabelPlan.h"

#include "store/TextValue.h"

#include <algorithm>

namespace labels {

namespace {

// Longer lists of book names would make a file name no one can read in a folder view, or one
// longer than a file system takes.
constexpr int kMaxNamedBooksInFileName = 3;
constexpr int kMaxBookNamesLength = 40;

QString bookName(const core::MasterRecords &state, int book) { return state.BookNames[book].trimmed(); }

QString className(const core::MasterRecords &state, int classNumber) { return state.ClassNames[classNumber].trimmed(); }

QString heading(const core::MasterRecords &state, int classNumber, int pupil)
{
    QString text = className(state, classNumber) + QLatin1Char(' ') + store::twoDigits(pupil);
    const QString name = state.PupilNames[classNumber][pupil].trimmed();
    if (!name.isEmpty())
        text += QLatin1Char(' ') + name;
    return text;
}

// Characters that no file system takes in a name become an underscore.
QString safeFileName(QString name)
{
    for (QChar &c : name)
        if (QStringLiteral("/\\:*?\"<>|").contains(c) || c.unicode() < 0x20)
            c = QLatin1Char('_');
    return name;
}

} // namespace

QString bookCode(int classNumber, int book, int pupil)
{
    return QLatin1Char('1') + QString::number(classNumber) + store::twoDigits(book) + store::twoDigits(pupil);
}

int classSize(const core::MasterRecords &state, int classNumber) { return std::clamp(state.ClassSizes[classNumber], 0, core::kPupils); }

QList<int> namedBooks(const core::MasterRecords &state)
{
    QList<int> books;
    for (int b = 1; b <= core::kBooks; ++b)
        if (!bookName(state, b).isEmpty())
            books << b;
    return books;
}

QString requestProblem(const core::MasterRecords &state, const LabelRequest &request)
{
    const int size = classSize(state, request.classNumber);
    if (size == 0)
        return QStringLiteral("班级里还没有学生，请先在“学生名单”中导入学生名单！");
    if (className(state, request.classNumber).isEmpty())
        return QStringLiteral("班级还没有名称，请先在“班级设置”中填写班级名称！");
    if (namedBooks(state).isEmpty())
        return QStringLiteral("还没有一本作业本有名称，请先在“作业设置”中填写作业本名称！");
    if (request.books.isEmpty())
        return QStringLiteral("请至少选择一本作业本！");
    for (int book : request.books) {
        if (book < 1 || book > core::kBooks)
            return QStringLiteral("作业本编号%1有误，只有1到32号作业本！").arg(book);
        if (bookName(state, book).isEmpty())
            return QStringLiteral("%1号作业本没有名称，请先在“作业设置”中填写作业本名称！").arg(book);
    }
    if (request.firstPupil > request.lastPupil)
        return QStringLiteral("没有选择学生：起始学号%1大于结束学号%2！").arg(request.firstPupil).arg(request.lastPupil);
    if (request.firstPupil < 1 || request.lastPupil > size)
        return QStringLiteral("学号%1到%2超出了本班的学号范围1到%3！").arg(request.firstPupil).arg(request.lastPupil).arg(size);
    return sheetProblem(request.sheet);
}

LabelPlan planLabels(const core::MasterRecords &state, const LabelRequest &request)
{
    LabelPlan plan;
    plan.labelsPerPage = std::max(1, request.sheet.labelsPerPage());
    const int classNumber = request.classNumber;
    const auto add = [&](int book, int pupil) {
        plan.labels.append({heading(state, classNumber, pupil), bookName(state, book), bookCode(classNumber, book, pupil)});
    };
    if (request.order == LabelOrder::ByBook) {
        for (int book : request.books)
            for (int pupil = request.firstPupil; pupil <= request.lastPupil; ++pupil)
                add(book, pupil);
    } else {
        for (int pupil = request.firstPupil; pupil <= request.lastPupil; ++pupil)
            for (int book : request.books)
                add(book, pupil);
    }
    return plan;
}

QString documentName(const core::MasterRecords &state, const LabelRequest &request)
{
    QString name = className(state, request.classNumber);
    if (!name.endsWith(QStringLiteral("班")))
        name += QStringLiteral("班");
    QString books;
    for (int book : request.books)
        books += bookName(state, book);
    if (request.books == namedBooks(state))
        books = QStringLiteral("全部作业本");
    else if (request.books.size() > kMaxNamedBooksInFileName || books.size() > kMaxBookNamesLength)
        books = QStringLiteral("%1本作业本").arg(request.books.size());
    name += QLatin1Char('-') + books;
    if (request.firstPupil != 1 || request.lastPupil != classSize(state, request.classNumber))
        name += QStringLiteral("-学号%1至%2").arg(store::twoDigits(request.firstPupil), store::twoDigits(request.lastPupil));
    name += QLatin1Char('-') + sheetShortName(request.sheet);
    name += request.order == LabelOrder::ByBook ? QStringLiteral("-按作业本") : QStringLiteral("-按学生");
    return safeFileName(name) + QStringLiteral(".pdf");
}

} // namespace labels
