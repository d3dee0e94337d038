#include "admin/PasswordMask.h"

#include <algorithm>

namespace admin {

namespace {

// Removes `count` characters after position `at`, closing the gap.
void removeAfter(PasswordMask &mask, int at, int count)
{
    count = std::clamp(count, 0, mask.PasswordLength - at);
    for (int i = at + count + 1; i <= mask.PasswordLength; ++i)
        mask.PasswordChars[i - count] = mask.PasswordChars[i];
    for (int i = mask.PasswordLength - count + 1; i <= mask.PasswordLength; ++i)
        mask.PasswordChars[i].clear();
    mask.PasswordLength -= count;
}

} // namespace

void PasswordMask::mmyc(const QString &box, int x, int y, int kind)
{
    const int length = std::min<int>(box.size(), kPasswordRoom);
    x = std::clamp(x, 0, length);
    y = std::clamp(y, 0, PasswordLength);
    if (SelectedBefore > 0) {
        // The replaced selection goes first; what remains is a plain insertion or nothing.
        removeAfter(*this, y, SelectedBefore);
        SelectedBefore = 0;
        kind = length > PasswordLength ? 1 : 0;
    }
    if (kind == 1) {
        const int inserted = std::clamp(x - y, 0, kPasswordRoom - PasswordLength);
        for (int i = PasswordLength; i >= y + 1; --i)
            PasswordChars[i + inserted] = PasswordChars[i];
        for (int i = y + 1; i <= y + inserted; ++i)
            PasswordChars[i] = box.at(i - 1);
        PasswordLength += inserted;
    } else if (x == y) {
        // The caret stayed: what went was after it (Delete).
        removeAfter(*this, x, PasswordLength - length);
    } else if (x < y) {
        removeAfter(*this, x, y - x);
    }
    PasswordLength = length;
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
