// Start-up of the window as the demo program starts it (Fusion style, the window over the simulated platform with
// the virtual reader, Form_Load), under whatever Qt platform is chosen (offscreen for measuring). Start-up touches
// no device, so the demo's other simulated devices are left out. Prints how long it took from main() to the window's
// first paint, and the wall-clock moment of that paint so that a caller can count from the process launch; then quits.
// tools/run-benchmarks.sh runs it under /usr/bin/time for the peak memory.
#include <QApplication>
#include <QEvent>
#include <QTimer>

#include <chrono>
#include <cstdio>

#include "hid/sim/sim_hid_platform.h"
#include "hid/sim/virtual_reader.h"
#include "ui/frm_main.h"

namespace {

using Clock = std::chrono::steady_clock;

// Reports the first paint of the watched window once, then ends the event loop.
class FirstPaintProbe final : public QObject {
public:
    explicit FirstPaintProbe(Clock::time_point mainEntered) : mainEntered_(mainEntered) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!reported_ && event->type() == QEvent::Paint) {
            reported_ = true;
            const auto elapsed = std::chrono::duration<double, std::milli>(Clock::now() - mainEntered_);
            const auto wallNs = std::chrono::duration_cast<std::chrono::nanoseconds>(
                std::chrono::system_clock::now().time_since_epoch());
            std::printf("main_to_first_paint_ms %.3f\nfirst_paint_epoch_ns %lld\n", elapsed.count(),
                        static_cast<long long>(wallNs.count()));
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    Clock::time_point mainEntered_;
    bool reported_ = false;
};

}  // namespace

int main(int argc, char* argv[]) {
    const auto mainEntered = Clock::now();
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));

    cdr::hid::sim::SimHidPlatform platform;
    cdr::hid::sim::VirtualReader reader;
    platform.addDevice(reader.device("/dev/hidraw0"));
    cdr::frmMain window(platform);
    FirstPaintProbe probe(mainEntered);
    window.installEventFilter(&probe);
    window.Form_Load();
    return QApplication::exec();
}
