#include "ui/AppStyle.h"

#include <QApplication>
#include <QFont>
#include <QListWidget>
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
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QFont font(QStringLiteral("Noto Sans CJK SC"));
    font.setPointSize(10);
    QApplication::setFont(font);
    qApp->setStyleSheet(QStringLiteral(
        "QGroupBox { font-weight: bold; border: 1px solid #9bb3cc; border-radius: 4px; margin-top: 8px; }"
        "QGroupBox::title { subcontrol-origin: margin; left: 8px; padding: 0 3px; color: #1f4e79; }"
        "QPushButton { padding: 2px 6px; }"));
}

void setItemHeight(QListWidget *list, int pixels)
{
    list->setItemDelegate(new FixedHeightDelegate(pixels, list));
    list->setUniformItemSizes(true);
}

} // namespace ui
