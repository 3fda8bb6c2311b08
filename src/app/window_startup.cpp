#include "app/window_startup.h"

#include <QApplication>

#include "ui/frm_main.h"

namespace cdr {

int runMainWindow(int argc, char* argv[], hid::HidPlatform& platform) {
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));

    frmMain window(platform);
    window.Form_Load();
    return QApplication::exec();
}

}  // namespace cdr
