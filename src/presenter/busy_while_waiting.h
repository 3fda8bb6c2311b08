#pragma once

#include "presenter/main_view.h"

namespace cdr {

// Shows the view's busy cursor for its lifetime: while the window waits on the reader, which can take up to the
// read time-out.
class BusyWhileWaiting {
public:
    explicit BusyWhileWaiting(MainView& view) : view_(view) { view_.setBusy(true); }
    ~BusyWhileWaiting() { view_.setBusy(false); }
    BusyWhileWaiting(const BusyWhileWaiting&) = delete;
    BusyWhileWaiting& operator=(const BusyWhileWaiting&) = delete;

private:
    MainView& view_;
};

}  // namespace cdr
