#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include <QLabel>
#include <QPushButton>
#include <QWidget>

#include "hid/sim/sim_hid_platform.h"
#include "hid/sim/virtual_reader.h"
#include "support/scripted_reader.h"
#include "ui/frm_main.h"

namespace cdr::test {

// The main window, started up, over the simulated platform. A test attaches the devices it needs before it
// presses Connect: the virtual reader, or a scripted reader that answers each output report with the next of its
// queued replies (nothing once the queue is empty).
class ReaderWindowTest : public ::testing::Test {
protected:
    void SetUp() override { window_.Form_Load(); }

    void attachVirtualReader() { platform_.addDevice(reader_.device("/dev/hidraw-reader")); }
    void attachScriptedReader(std::int16_t inputLength, std::int16_t outputLength) {
        platform_.addDevice(scriptedReader(scriptedReplies_, inputLength, outputLength));
    }
    // Attaches a scripted reader with these report lengths (64 bytes by default) that accepts the handshake, and
    // connects to it.
    void connectScriptedReader(std::int16_t inputLength = hid::sim::VirtualReader::kReportLength,
                               std::int16_t outputLength = hid::sim::VirtualReader::kReportLength);

    template <typename Control = QWidget>
    Control* find(const QString& name) const {
        auto* control = qobject_cast<Control*>(window_.control(name));
        EXPECT_NE(control, nullptr) << name.toStdString();
        return control;
    }
    void click(const QString& buttonName) const { find<QPushButton>(buttonName)->click(); }
    QString status() const { return find<QLabel>("txtMsg")->text(); }
    QString connectCaption() const { return find<QPushButton>("cmdOnce")->text(); }
    std::size_t reportsWritten() const { return platform_.writtenReports().size(); }
    // The output report last written, with the report ID at index 0.
    Bytes lastReport() const;
    // Whether every control's own enabled flag is set (a disabled container does not count).
    std::vector<bool> ownEnabledStates() const;

    hid::sim::SimHidPlatform platform_;
    hid::sim::VirtualReader reader_;
    ScriptedReplies scriptedReplies_;
    // Mutable: looking a control up may build the diagnostic panel.
    mutable frmMain window_{platform_};
};

}  // namespace cdr::test
