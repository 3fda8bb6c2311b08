#include "ui/status_line.h"

#include <QFontMetrics>
#include <QLabel>

#include <algorithm>

namespace cdr {

namespace {

// The text with `name` in place of its first "%1"; a text that names no file is shown as it is.
QString filledIn(const QString& text, const QString& fileName, const QString& name) {
    const qsizetype placeholder = text.indexOf(QStringLiteral("%1"));
    return fileName.isEmpty() || placeholder < 0 ? text : QString(text).replace(placeholder, 2, name);
}

}  // namespace

QString fittedStatusText(const QLabel& label, const QString& text, const QString& fileName) {
    const QFontMetrics metrics(label.font());
    const int width = label.contentsRect().width() - 2 * label.margin();
    const int nameWidth = std::max(0, width - metrics.horizontalAdvance(filledIn(text, fileName, QString())));
    const QString name = metrics.elidedText(fileName, Qt::ElideMiddle, nameWidth);
    return metrics.elidedText(filledIn(text, fileName, name), Qt::ElideRight, width);
}

void setStatusLine(QLabel& label, const QString& text, const QString& fileName) {
    const QString whole = filledIn(text, fileName, fileName);
    label.setText(fittedStatusText(label, text, fileName));
    // A tooltip that looks like markup would be drawn as such; the escaped text inside <qt> is drawn as written.
    label.setToolTip(whole.isEmpty() ? QString() : QStringLiteral("<qt>%1</qt>").arg(whole.toHtmlEscaped()));
    label.setAccessibleDescription(whole);
}

}  // namespace cdr
