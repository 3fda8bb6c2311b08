#include "ui/status_line.h"

#include <QLabel>

namespace cdr {

void setStatusLine(QLabel& label, const QString& shown, const QString& whole) {
    label.setText(shown);
    // A tooltip that looks like markup would be drawn as such; the escaped text inside <qt> is drawn as written.
    label.setToolTip(whole.isEmpty() ? QString() : QStringLiteral("<qt>%1</qt>").arg(whole.toHtmlEscaped()));
    label.setAccessibleDescription(whole);
}

}  // namespace cdr
