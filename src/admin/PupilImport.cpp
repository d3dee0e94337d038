#include "admin/PupilImport.h"

#include "office/FileFormat.h"
#include "office/FileProblems.h"
#include "store/Database.h"

#include <QDir>
#include <QFileInfo>

namespace admin {

namespace {

using Outcome = PupilList::Outcome;
using office::Cell;

const QString kNothingImported = QStringLiteral("本次导入无效！");

PupilList refused(Outcome outcome, const QString &text) { return {outcome, {}, text}; }

PupilList unreadable(const QString &path, const QString &cause)
{
    return refused(Outcome::Unreadable,
                   QStringLiteral("学生名单“%1”无法读取：%2\n%3").arg(office::shownPath(path), cause, kNothingImported));
}

// Pasted names may carry characters nobody sees; two such names would look alike and differ.
bool hasHiddenCharacters(const QString &name)
{
    for (const QChar c : name)
        if (c.category() == QChar::Other_Control || c.category() == QChar::Other_Format)
            return true;
    return false;
}

// "第3、17、20至25行": a run of rows is one entry, so a long blank stretch stays one line.
QString rowsText(const QList<int> &rows)
{
    QStringList parts;
    for (qsizetype i = 0; i < rows.size();) {
        qsizetype last = i;
        while (last + 1 < rows.size() && rows[last + 1] == rows[last] + 1)
            ++last;
        if (last - i >= 2)
            parts << QStringLiteral("%1至%2").arg(rows[i]).arg(rows[last]);
        else
            for (qsizetype j = i; j <= last; ++j)
                parts << QString::number(rows[j]);
        i = last + 1;
    }
    return QStringLiteral("第%1行").arg(parts.join(QStringLiteral("、")));
}

struct Rows {
    QStringList names;
    QList<int> blank, notText, hidden;
};

Rows sortRows(const QList<Cell> &cells)
{
    Rows rows;
    qsizetype filled = 0;
    for (qsizetype i = 0; i < cells.size(); ++i) {
        const int row = int(i + 1);
        const QString name = cells[i].text.trimmed();
        rows.names << name;
        if (cells[i].kind == Cell::Kind::Empty || (cells[i].kind == Cell::Kind::Text && name.isEmpty())) {
            rows.blank << row;
            continue;
        }
        filled = row;
        if (cells[i].kind != Cell::Kind::Text)
            rows.notText << row;
        else if (hasHiddenCharacters(name))
            rows.hidden << row;
    }
    // Blank rows after the last name end the list; only those before it are holes in it.
    rows.names.resize(filled);
    rows.blank.removeIf([filled](int row) { return row > filled; });
    return rows;
}

QString badRowsText(const QString &path, const Rows &rows)
{
    QStringList lines{QStringLiteral("学生名单“%1”中有无法导入的行：").arg(office::shownPath(path))};
    if (!rows.notText.isEmpty())
        lines << QStringLiteral("%1不是文字（是数字、日期、错误值或算出数字的公式），姓名必须是文字；").arg(rowsText(rows.notText));
    if (!rows.hidden.isEmpty())
        lines << QStringLiteral("%1含有看不见的控制字符，请重新输入这些姓名；").arg(rowsText(rows.hidden));
    if (!rows.blank.isEmpty())
        lines << QStringLiteral("%1是空行（合并的单元格也算空行），名单中间不能有空行；").arg(rowsText(rows.blank));
    lines << QStringLiteral("请改正后再导入，%1").arg(kNothingImported);
    return lines.join(QLatin1Char('\n'));
}

} // namespace

QString pupilListPath(const QString &programFolder, int classNumber)
{
    return QDir(programFolder).filePath(classNumber == 2 ? QStringLiteral("班级姓名2.xls") : QStringLiteral("班级姓名.xls"));
}

QStringList sharedNames(const QStringList &names)
{
    QStringList shared;
    for (int i = 0; i < names.size(); ++i) {
        if (names.indexOf(names[i]) < i)
            continue;
        QStringList rows;
        for (int j = i; j < names.size(); ++j)
            if (names[j] == names[i])
                rows << QString::number(j + 1);
        if (rows.size() > 1)
            shared << QStringLiteral("%1（第%2行）").arg(names[i], rows.join(QStringLiteral("、")));
    }
    return shared;
}

PupilList readPupilList(PupilListReader &reader, const QString &path)
{
    const QString shown = office::shownPath(path);
    const QFileInfo file(path);
    if (file.isDir())
        return refused(Outcome::Unreadable, QStringLiteral("%1\n%2").arg(office::folderNotFileText(path), kNothingImported));
    if (!file.isFile())
        return refused(Outcome::Unreadable, QStringLiteral("找不到学生名单文件“%1”，请把名单放进程序文件夹后再导入，%2").arg(shown, kNothingImported));
    constexpr auto workbook = office::OfficeFormat::Excel97Workbook;
    if (const auto verdict = office::inspectFormat(path, workbook); verdict != office::FormatVerdict::Whole)
        return unreadable(path, office::formatCause(workbook, verdict));

    QList<Cell> cells;
    try {
        cells = reader.readColumnA(path);
    } catch (const PupilListReadError &error) {
        return unreadable(path, error.message());
    }
    const Rows rows = sortRows(cells);
    if (rows.names.isEmpty() || rows.names.first().isEmpty())
        return {Outcome::NoFirstName, {}, {}};
    if (!rows.notText.isEmpty() || !rows.hidden.isEmpty() || !rows.blank.isEmpty())
        return refused(Outcome::BadRows, badRowsText(path, rows));
    if (rows.names.size() > kClassRoom)
        return refused(Outcome::TooMany, QStringLiteral("学生名单“%1”中的姓名超过 %2 个，本软件每班最多 %2 名学生，%3")
                                             .arg(shown)
                                             .arg(kClassRoom)
                                             .arg(kNothingImported));
    if (const QStringList shared = sharedNames(rows.names); !shared.isEmpty())
        return refused(Outcome::SharedNames,
                       QStringLiteral("学生名单“%1”中有重名的学生：%2。成绩按姓名登记，重名的学生无法区分，"
                                      "请把重名改成各不相同的姓名后再导入，%3")
                           .arg(shown, shared.join(QStringLiteral("；")), kNothingImported));
    return {Outcome::Accepted, rows.names, {}};
}

void replacePupils(store::Database &db, const QString &table, const QStringList &names)
{
    store::Transaction transaction(db);
    db.exec(QStringLiteral("DELETE FROM %1").arg(store::quoted(table)));
    store::Statement insert = db.prepare(QStringLiteral("INSERT INTO %1 (\"姓名\") VALUES (?)").arg(store::quoted(table)));
    for (const QString &name : names) {
        insert.bind(1, name).run();
        insert.reset();
    }
    transaction.commit();
}

QString importedMessage(int count) { return QStringLiteral("学生名单导入完成，共导入 %1 名学生。").arg(count); }

} // namespace admin
