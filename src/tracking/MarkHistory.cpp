#include "tracking/MarkHistory.h"

#include "store/TextValue.h"

namespace tracking {

void MarkHistory::record(const MarkChange &change) { changes_.append(change); }

std::optional<MarkChange> MarkHistory::takeLatest(const QString &dateKey)
{
    if (changes_.isEmpty() || changes_.constLast().dateKey != dateKey)
        return std::nullopt;
    return changes_.takeLast();
}

int pupilOfListEntry(const QString &entry) { return store::integerValue(entry.section(QStringLiteral("："), 0, 0)); }

} // namespace tracking
