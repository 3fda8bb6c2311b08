#pragma once

#include <QFont>

namespace cdr {

// Gulim, bold, at the given size. The emphasised captions name the Korean system face Gulim where it is installed
// and NanumGothic, which stands in for it, where it is not: a font that names a missing face costs a search of
// every installed font before it falls back.
QFont boldGulim(qreal pointSize);

}  // namespace cdr
