#include "ui/AppStyle.h"

#include "ui/Twips.h"

#include <QApplication>
#include <QFont>
#include <QListWidget>
#include <QPalette>
#include <QStyleFactory>
#include <QStyledItemDelegate>

namespace ui {

namespace {

class FixedHeightDelegate : public QStyledItemDelegate {
public:
    FixedHeightDelegate(int height, QObject *parent) : QStyledItemDelegate(parent), height_(height) {}
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        return {QStyledItemDelegate::sizeHint(option, index).width(), height_};
    }

private:
    int height_;
};

} // namespace

void applyApplicationStyle()
{
    // A palette rather than a style sheet: style sheets re-polish every widget and slow the start.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QPalette palette = QApplication::palette();
    palette.setColor(QPalette::Window, QColor(0xee, 0xf2, 0xf7));
    palette.setColor(QPalette::Button, QColor(0xf7, 0xf9, 0xfc));
    palette.setColor(QPalette::Highlight, QColor(0x2f, 0x6d, 0xb5));
    QApplication::setPalette(palette);
    QFont font(QStringLiteral("Noto Sans CJK SC"));
    font.setPixelSize(fontPixels(10));
    QApplication::setFont(font);
}

void showAsWarning(QWidget *widget)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, QColor(0xb0, 0x00, 0x20));
    palette.setColor(QPalette::ButtonText, QColor(0xb0, 0x00, 0x20));
    widget->setPalette(palette);
    // Only the weight is the widget's own: family and size follow the application font.
    QFont bold;
    bold.setBold(true);
    widget->setFont(bold);
}

void setItemHeight(QListWidget *list, int pixels)
{
    list->setItemDelegate(new FixedHeightDelegate(qRound(pixels * layoutScale()), list));
    list->setUniformItemSizes(true);
}

} // namespace ui
