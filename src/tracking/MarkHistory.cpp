#include "tracking/MarkHistory.h"

#include "store/TextValue.h"

namespace tracking {

void MarkHistory::record(const MarkChange &change) { changes_.append(change); }

std::optional<MarkChange> MarkHistory::takeLatest(const QString &dateKey, int classNumber)
{
    for (qsizetype i = changes_.size() - 1; i >= 0; --i)
        if (changes_[i].dateKey == dateKey && changes_[i].classNumber == classNumber)
            return changes_.takeAt(i);
    return std::nullopt;
}

int pupilOfListEntry(const QString &entry) { return store::integerValue(entry.section(QStringLiteral("："), 0, 0)); }

} // namespace tracking
