#pragma once

#include <QProxyStyle>

namespace cdr {

// The Fusion style with group-box frames drawn by the painter instead of from Fusion's frame image. Decoding that
// image brings in the image-format plugins and the PNG decoder at the window's first paint; the painted frame
// looks the same and costs neither.
class WindowStyle : public QProxyStyle {
    Q_OBJECT

public:
    WindowStyle();

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
};

}  // namespace cdr
