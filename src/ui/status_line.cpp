#include "ui/status_line.h"

#include <QFontMetrics>
#include <QLabel>

#include <algorithm>

namespace cdr {

namespace {

QString filledIn(const QString& text, const QString& fileName) {
    return text.contains(QStringLiteral("%1")) ? text.arg(fileName) : text;
}

}  // namespace

QString fittedStatusText(const QLabel& label, const QString& text, const QString& fileName) {
    const QFontMetrics metrics(label.font());
    const int width = label.contentsRect().width() - 2 * label.margin();
    const int nameWidth = std::max(0, width - metrics.horizontalAdvance(filledIn(text, QString())));
    const QString name = metrics.elidedText(fileName, Qt::ElideMiddle, nameWidth);
    return metrics.elidedText(filledIn(text, name), Qt::ElideRight, width);
}

void setStatusLine(QLabel& label, const QString& text, const QString& fileName) {
    const QString whole = filledIn(text, fileName);
    label.setText(fittedStatusText(label, text, fileName));
    // A tooltip that looks like markup would be drawn as such; the escaped text inside <qt> is drawn as written.
    label.setToolTip(whole.isEmpty() ? QString() : QStringLiteral("<qt>%1</qt>").arg(whole.toHtmlEscaped()));
    label.setAccessibleDescription(whole);
}

}  // namespace cdr
