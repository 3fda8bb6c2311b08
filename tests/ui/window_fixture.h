#pragma once

#include <gtest/gtest.h>

#include <QLabel>
#include <QWidget>

#include "absent_reader_platform.h"
#include "ui/frm_main.h"

namespace cdr::test {

// A main window over a platform without reader, and lookups of its controls by name.
class WindowTest : public ::testing::Test {
protected:
    template <typename Control = QWidget>
    Control* find(const QString& name) const {
        auto* control = qobject_cast<Control*>(window_.control(name));
        EXPECT_NE(control, nullptr) << name.toStdString();
        return control;
    }

    // The control's own enabled flag, which a disabled container does not change.
    bool ownEnabled(const QString& name) const { return !find(name)->testAttribute(Qt::WA_ForceDisabled); }
    // Whether the control takes input: its own flag and those of all its containers.
    bool usable(const QString& name) const { return find(name)->isEnabled(); }

    // Shows the window so that it takes mouse and keyboard input.
    void showWindow();

    AbsentReaderPlatform platform_;
    // Mutable: looking a control up may build the diagnostic panel.
    mutable frmMain window_{platform_};
};

// The names of array elements: "txtSS(0)", "txtSS(1)", ...
QStringList elementNames(const QString& name, int count);

// The status label shows a text that fits its one line at its font, and holds `whole` as its accessible
// description and in its tooltip.
void expectWholeTextInOneLine(const QLabel& label, const QString& whole);

// A check state as a word for test names: "Off", "On", "Grayed".
std::string checkStateName(CheckState state);

}  // namespace cdr::test
