#pragma once

#include <QString>

class QLabel;

namespace cdr {

// The text that the one-line status label shows for `text`, in which the first "%1" stands for a file name (an
// empty `fileName` when it names none: the text is shown as it is, "%1" included): the name elided in the middle, and
// if the rest alone is too wide the end elided, so that it fits the label at its font and width.
QString fittedStatusText(const QLabel& label, const QString& text, const QString& fileName = {});

// Puts a text on the status label, which shows it as plain text and fitted to its line; the whole text is the
// label's tooltip and accessible description.
void setStatusLine(QLabel& label, const QString& text, const QString& fileName = {});

}  // namespace cdr
