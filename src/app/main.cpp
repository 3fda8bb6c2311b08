#include <QApplication>

#include "hid/system_platform.h"
#include "ui/frm_main.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));

    const auto platform = cdr::hid::makeSystemHidPlatform();
    cdr::frmMain window(*platform);
    window.Form_Load();
    return QApplication::exec();
}
