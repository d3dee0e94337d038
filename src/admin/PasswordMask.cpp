#include "admin/PasswordMask.h"

#include <algorithm>

namespace admin {

namespace {

// `removed` held characters after position `at` gave way to `inserted`.
struct BoxEdit {
    int at = 0;
    int removed = 0;
    QString inserted;
};

int asterisksFrom(const QString &text, int from, int step)
{
    int count = 0;
    for (int i = from; i >= 0 && i < text.size() && text[i] == QLatin1Char('*'); i += step)
        ++count;
    return count;
}

// Asterisks the edit did not touch stand on both sides of it, and the caret ends after what was
// inserted. Only an inserted "*" beside them is ambiguous; the selection at the key then decides.
BoxEdit workOut(int before, const QString &box, int caret, int noted, int selected)
{
    const int after = int(box.size());
    const int grown = after - before;
    const int leading = asterisksFrom(box, 0, 1);
    const bool tailUntouched = asterisksFrom(box, caret, 1) == after - caret;
    const auto endingAtCaret = [&](int at) { return BoxEdit{at, before - after + caret - at, box.mid(at, caret - at)}; };
    if (tailUntouched && noted >= 0 && noted <= std::min(leading, caret) && noted + selected <= before &&
        caret - noted == grown + selected)
        return endingAtCaret(noted);
    // Otherwise the fewest characters inserted that end at the caret.
    const int at = std::min(caret - std::max(grown, 0), leading);
    if (tailUntouched && at >= 0)
        return endingAtCaret(at);
    // The caret is not where an edit leaves it: keep the longest untouched ends.
    const int prefix = std::min({leading, before, after});
    const int suffix = std::min(asterisksFrom(box, after - 1, -1), std::min(before, after) - prefix);
    return {prefix, before - prefix - suffix, box.mid(prefix, after - prefix - suffix)};
}

} // namespace

void PasswordMask::mmyc(const QString &box, int x)
{
    const QString shown = box.left(kPasswordRoom);
    CaretAfter = std::clamp(x, 0, int(shown.size()));
    const BoxEdit edit = workOut(PasswordLength, shown, CaretAfter, CaretBefore, SelectedBefore);
    CaretBefore = -1;
    SelectedBefore = 0;

    QString held;
    for (int i = 1; i <= PasswordLength; ++i)
        held += PasswordChars[i];
    held.replace(edit.at, edit.removed, edit.inserted);
    PasswordLength = int(held.size());
    for (int i = 1; i <= kPasswordRoom; ++i)
        PasswordChars[i] = i <= PasswordLength ? QString(held[i - 1]) : QString();
}

QString PasswordMask::typed() const
{
    QString text;
    for (int i = 1; i <= PasswordLength; ++i)
        text += PasswordChars[i];
    return trimmedPassword(text);
}

QString trimmedPassword(const QString &text) { return text.trimmed(); }

bool hasOuterBlank(const QString &text) { return text != trimmedPassword(text); }

} // namespace admin
