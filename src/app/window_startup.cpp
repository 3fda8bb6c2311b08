#include "app/window_startup.h"

#include <QApplication>
#include <QCommandLineParser>

#include "ui/frm_main.h"
#include "ui/window_style.h"

namespace cdr {

int runMainWindow(int argc, char* argv[], hid::HidPlatform& platform) {
    QApplication app(argc, argv);
    QApplication::setStyle(new WindowStyle);

    QCommandLineParser options;
    options.addHelpOption();
    const QCommandLineOption diagnostic(
        QStringLiteral("diagnostic"),
        QStringLiteral("Show the diagnostic panel, with a line in its result list for every HID call."));
    options.addOption(diagnostic);
    options.process(app);

    frmMain window(platform);
    if (options.isSet(diagnostic)) {
        window.showDiagnosticPanel();
    }
    window.Form_Load();
    return QApplication::exec();
}

}  // namespace cdr
