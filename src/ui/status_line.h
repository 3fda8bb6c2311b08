#pragma once

#include <QString>

class QLabel;

namespace cdr {

// Puts a text on the status label, which shows `shown` as plain text; the whole text is the label's tooltip and
// accessible description.
void setStatusLine(QLabel& label, const QString& shown, const QString& whole);

}  // namespace cdr
