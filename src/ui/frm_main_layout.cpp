#include <QString>
#include <QWidget>

#include "presenter/control_table.h"
#include "ui/caption_width.h"
#include "ui/frm_main.h"

namespace cdr {

// A control across its group box's top edge is a child of the group box's container, at the group box's place
// plus its own.
QRect frmMain::pixelRect(ControlId id, TwipsRect rect) const {
    QPoint origin(0, 0);
    if (const std::optional<ControlId> container = containerOf(id); container && id.spec().top < 0) {
        origin = find<QWidget>(*container)->pos();
    }
    return {origin.x() + twipsToPixels(rect.left), origin.y() + twipsToPixels(rect.top), twipsToPixels(rect.width),
            twipsToPixels(rect.height)};
}

void frmMain::place(ControlId id, TwipsRect rect) {
    if (auto* widget = find<QWidget>(id)) {
        widget->setGeometry(pixelRect(id, rect));
    }
}

void frmMain::setClientSize(int widthTwips, int heightTwips) {
    setFixedSize(twipsToPixels(widthTwips), twipsToPixels(heightTwips));
}

int frmMain::captionWidth(ControlId id, std::u16string_view caption) const {
    const auto* widget = find<QWidget>(id);
    if (widget == nullptr) {
        return 0;
    }
    const auto text = QString::fromUtf16(caption.data(), static_cast<qsizetype>(caption.size()));
    return cdr::captionWidth(*widget, text) * kTwipsPerPixel;
}

}  // namespace cdr
