#pragma once

#include <QFont>

namespace cdr {

// The emphasised captions name the Korean system face Gulim. Where that face is missing it is drawn with
// NanumGothic; calling this again changes nothing.
void registerFontSubstitutes();

// Gulim, bold, at the given size.
QFont boldGulim(qreal pointSize);

}  // namespace cdr
