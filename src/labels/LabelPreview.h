#pragma once

#include "labels/LabelSheet.h"

#include <QWidget>

#include <memory>

namespace labels {

class LabelPages;

// The first page of labels on a sheet of paper, drawn as it will print.
class LabelPreview : public QWidget {
public:
    explicit LabelPreview(QWidget *parent = nullptr);

    // Labels outlined on the sheet; nothing but the outlines when `pages` is null.
    void showPage(const LabelSheet &sheet, std::shared_ptr<const LabelPages> pages);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    LabelSheet sheet_;
    bool sheetFits_ = false;
    std::shared_ptr<const LabelPages> pages_;
};

} // namespace labels
