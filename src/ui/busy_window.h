#pragma once

#include <QObject>

namespace cdr {

// For its lifetime, while the window waits on the reader (up to the read time-out) and takes no input: the busy
// cursor over the whole application, and every key and mouse button that reaches the application is dropped. At
// its end the input that queued up during the wait is dropped too, so that nothing the user did meanwhile runs
// afterwards (a second click on Connect would disconnect at once).
class BusyWindow : public QObject {
    Q_OBJECT

public:
    BusyWindow();
    ~BusyWindow() override;
    BusyWindow(const BusyWindow&) = delete;
    BusyWindow& operator=(const BusyWindow&) = delete;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace cdr
