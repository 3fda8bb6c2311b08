#include "ui/window_style.h"

#include <QGroupBox>
#include <QPainter>
#include <QStyleOption>

#include <algorithm>

namespace cdr {

namespace {

// Fusion's room above a group box's frame, and the frame's tints: a faint grey border with rounded corners around
// a barely darker inside.
constexpr int kFrameTopMargin = 3;
constexpr qreal kCornerRadius = 2.0;
const QColor kBorder(0x75, 0x75, 0x75, 0x32);
const QColor kInside(0, 0, 0, 0x03);

}  // namespace

WindowStyle::WindowStyle() : QProxyStyle(QStringLiteral("Fusion")) {}

void WindowStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                const QWidget* widget) const {
    if (element != PE_FrameGroupBox) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    // The frame starts below the caption line, or near the top when the group box has no caption at all.
    const auto* groupBox = qobject_cast<const QGroupBox*>(widget);
    const bool captionless = groupBox != nullptr && !groupBox->isCheckable() && groupBox->title().isEmpty();
    const int top =
        captionless ? kFrameTopMargin
                    : std::max(pixelMetric(PM_ExclusiveIndicatorHeight, option, widget), option->fontMetrics.height()) +
                          kFrameTopMargin;
    const QRectF frame = QRectF(option->rect.adjusted(0, top, 0, 0)).adjusted(1.5, 1.5, -1.5, -1.5);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(kBorder);
    painter->setBrush(kInside);
    painter->drawRoundedRect(frame, kCornerRadius, kCornerRadius);
    painter->restore();
}

}  // namespace cdr
