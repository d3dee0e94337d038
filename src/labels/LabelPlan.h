#pragma once

#include "labels/LabelSheet.h"
#include "state/Records.h"

#include <QList>
#include <QString>

namespace labels {

// By book: a book's labels for the pupils in turn, then the next book. By pupil: each pupil's books together.
enum class LabelOrder { ByBook, ByPupil };

// What the teacher chose in the label window.
struct LabelRequest {
    // 1 or 2: the class's digit is the code's second character. The code box takes the first class.
    int classNumber = 1;
    QList<int> books; // book numbers, ascending
    int firstPupil = 1;
    int lastPupil = 0;
    LabelOrder order = LabelOrder::ByBook;
    LabelSheet sheet;
};

struct LabelText {
    QString heading; // "五(1) 07 王小明"
    QString book;
    QString code;
};

struct LabelPlan {
    QList<LabelText> labels;
    int labelsPerPage = 1;

    int pageCount() const { return int((labels.size() + labelsPerPage - 1) / labelsPerPage); }
    // The labels of page `page` (0-based), in the order they fill it.
    QList<LabelText> page(int page) const { return labels.mid(qsizetype(page) * labelsPerPage, labelsPerPage); }
};

// "1", the class, the book and the pupil: class 1, book 5 and pupil 7 give "110507".
QString bookCode(int classNumber, int book, int pupil);

// The pupils of a class a label can be made for: the code holds at most 50.
int classSize(const core::MasterRecords &state, int classNumber);
// The books that have a name, in number order.
QList<int> namedBooks(const core::MasterRecords &state);

// The first reason why these labels cannot be made, in the teacher's words; empty when they can.
QString requestProblem(const core::MasterRecords &state, const LabelRequest &request);

LabelPlan planLabels(const core::MasterRecords &state, const LabelRequest &request);

// "五(1)班-全部作业本-3×8-按作业本.pdf": the class, the books, for part of the class the pupil
// numbers, the sheet and the order, so that each choice keeps a file of its own.
QString documentName(const core::MasterRecords &state, const LabelRequest &request);

} // namespace labels
