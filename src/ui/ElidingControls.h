#pragma once

#include <QFont>
#include <QLabel>
#include <QPushButton>
#include <QStringList>

namespace ui {

// A button for captions of any length: its font shrinks towards the smallest readable size, then
// the middle gives way, so the start and the count at the end stay; the whole caption is the
// tooltip. text() keeps the whole caption.
class ElidingButton : public QPushButton {
public:
    using QPushButton::QPushButton;

    struct Caption {
        QFont font;
        QString text;
    };
    Caption shownCaption() const;
    bool elided() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    bool event(QEvent *event) override;
};

// A label that wraps its text and ends the last line that has room in "…"; the whole text is the
// tooltip. Given a focus policy, it is framed while it has the focus.
class ElidingLabel : public QLabel {
public:
    using QLabel::QLabel;

    QStringList shownLines() const;
    bool elided() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    bool event(QEvent *event) override;
};

} // namespace ui
