#pragma once

#include <QString>

#include <array>

namespace admin {

inline constexpr int kPasswordRoom = 50;

// The login box shows one "*" per character; the real characters are held here and follow
// every change of the box. Caret positions count the characters before the caret.
struct PasswordMask {
    std::array<QString, kPasswordRoom + 1> PasswordChars{}; // 1..50
    int PasswordLength = 0;
    int MaskBusy = 0;
    // The selection as the key being handled went down; -1 when the change came from elsewhere.
    int CaretBefore = -1;
    int SelectedBefore = 0;
    int CaretAfter = 0;

    // Brings PasswordChars in step with the box, which held PasswordLength asterisks and now holds
    // `box` with the caret at x. Whatever changed the box (keys, a paste, a middle click, a drop),
    // the caret ends after what was inserted, or where something was removed.
    void mmyc(const QString &box, int x);

    // The characters held, in order, without blanks at either end.
    QString typed() const;
    QString asterisks() const { return QString(PasswordLength, QLatin1Char('*')); }
};

// The login trims the typed text, so a stored password with a blank at either end never matches.
QString trimmedPassword(const QString &text);
bool hasOuterBlank(const QString &text);

} // namespace admin
