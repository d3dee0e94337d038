#pragma once

#include "state/Records.h"

#include <QStringList>

#include <array>

namespace store {
class HomeworkDb;
}

namespace tracking {

// Rows 1..32 by position within a subject; for subject s column s+5 the slot, s+10 the book
// name, s+15 the subject, s+20 the position. The first empty slot column ends a subject.
using SubjectBooks = std::array<std::array<QString, 25>, 33>;
void 把作业本分拆成语数英科学分科显示数组(store::HomeworkDb &db, SubjectBooks &books);
QStringList subjectBookNames(const SubjectBooks &books, int subject);
int subjectBookSlot(const SubjectBooks &books, int subject, int position);

// Rows 1..3 (day key, content, slot text) by columns 1..100, in table order.
using BookHistory = std::array<std::array<QString, 101>, 4>;
void 清空作业内容日期一一对应二维表(BookHistory &history);
void 取得某次作业的作业内容和日期的一一对应表(store::HomeworkDb &db, BookHistory &history, int slot, int classNumber = 1);
QStringList historyContents(const BookHistory &history);

// Real days (no scratch rows) carrying content in any book for a class, in table order.
QStringList daysWithHomework(store::HomeworkDb &db, int classNumber = 1);

// Days whose content for the book is the empty text (a Null was never opened) in every class
// given, newest first.
QStringList daysOpenForBook(store::HomeworkDb &db, int slot, const QList<int> &classes = {1});

// The key of the latest real day stored, empty without one.
QString latestSchoolDay(store::HomeworkDb &db);

enum class Publication { Published, NoDate, NoContent, NoTestNumber, MissingDay };

QString publicationMessage(Publication result);

// Writes a book's content for a day, and for a subject's test book the test number into both
// day rows, for each class given, in one transaction.
Publication publishTask(store::HomeworkDb &db, const std::array<int, 5> &subjectTestBooks, int slot,
                        const QString &date, const QString &content, const QString &testNumber,
                        const QList<int> &classes = {1});

} // namespace tracking
