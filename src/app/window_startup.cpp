#include "app/window_startup.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFont>

#include "app/font_config_warm_up.h"
#include "ui/frm_main.h"
#include "ui/window_style.h"

namespace cdr {

namespace {

// Qt's name for fontconfig's generic sans-serif family, the default font on a desktop that sets none. Qt finds
// the face behind it only after sorting every installed font for fallbacks; naming the family fontconfig resolved
// gives the same face without that search.
void nameTheDefaultFace(const std::string& sansSerifFamily) {
    QFont font = QApplication::font();
    if (sansSerifFamily.empty() || font.family() != QStringLiteral("Sans Serif")) {
        return;
    }
    font.setFamily(QString::fromStdString(sansSerifFamily));
    QApplication::setFont(font);
}

}  // namespace

int runMainWindow(int argc, char* argv[], hid::HidPlatform& platform) {
    FontConfigWarmUp fontConfig;
    QApplication app(argc, argv);
    QApplication::setStyle(new WindowStyle);

    QCommandLineParser options;
    options.addHelpOption();
    const QCommandLineOption diagnostic(
        QStringLiteral("diagnostic"),
        QStringLiteral("Show the diagnostic panel, with a line in its result list for every HID call."));
    options.addOption(diagnostic);
    fontConfig.finish();
    nameTheDefaultFace(fontConfig.sansSerifFamily());
    options.process(app);

    frmMain window(platform);
    if (options.isSet(diagnostic)) {
        window.showDiagnosticPanel();
    }
    window.Form_Load();
    return QApplication::exec();
}

}  // namespace cdr
