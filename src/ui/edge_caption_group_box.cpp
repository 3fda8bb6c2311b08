#include "ui/edge_caption_group_box.h"

#include <QStyleOptionGroupBox>
#include <QPainter>
#include <QStyle>

namespace cdr {

EdgeCaptionGroupBox::EdgeCaptionGroupBox(QWidget* parent) : QGroupBox(parent) {}

void EdgeCaptionGroupBox::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    QStyleOptionGroupBox option;
    initStyleOption(&option);
    // A blank caption gives the frame the top margin of a captioned group box. The style is not handed this
    // widget, whose empty title would make some styles draw the frame at the very top again.
    option.text = QStringLiteral(" ");
    style()->drawComplexControl(QStyle::CC_GroupBox, &option, &painter, nullptr);
}

}  // namespace cdr
