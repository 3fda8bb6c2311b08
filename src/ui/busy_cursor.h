#pragma once

#include <QApplication>
#include <QCursor>

namespace cdr {

// Shows the busy cursor over the whole application for its lifetime: while the window waits on the reader, which
// can take up to the read time-out, and does not repaint or take input.
class BusyCursor {
public:
    BusyCursor() { QApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

}  // namespace cdr
