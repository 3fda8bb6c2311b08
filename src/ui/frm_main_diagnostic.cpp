#include <QGroupBox>

#include <algorithm>

#include "presenter/control_table.h"
#include "ui/caption_fit.h"
#include "ui/frm_main.h"

namespace cdr {

// The panel is built when the presenter first places one of its controls.
void frmMain::place(ControlId id, TwipsRect rect) {
    buildDiagnosticPanel();
    auto* widget = find<QWidget>(id);
    if (widget == nullptr) {
        return;
    }
    widget->setGeometry(twipsToPixels(rect.left), twipsToPixels(rect.top), twipsToPixels(rect.width),
                        twipsToPixels(rect.height));
    for (auto* child : widget->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        widenToCaption(*child);
    }
    // A group's title at a larger desktop font widens it, as any caption does.
    if (auto* group = qobject_cast<QGroupBox*>(widget)) {
        group->resize(std::max(group->width(), group->minimumSizeHint().width()), group->height());
    }
}

// The window holds at least the room asked for, and whatever a larger font widened.
void frmMain::setClientSize(int widthTwips, int heightTwips) {
    constexpr int kMarginPixels = 6;
    const int right = childrenRect().right() + 1 + kMarginPixels;
    setFixedSize(std::max(twipsToPixels(widthTwips), right), twipsToPixels(heightTwips));
}

}  // namespace cdr
