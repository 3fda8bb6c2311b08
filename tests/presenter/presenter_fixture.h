#pragma once

#include <gtest/gtest.h>

#include <cstdint>

#include "fake_main_view.h"
#include "hid/sim/sim_hid_platform.h"
#include "hid/sim/virtual_reader.h"
#include "presenter/main_presenter.h"
#include "support/scripted_reader.h"

namespace cdr::test {

// The presenter, started up, over a fake view and the simulated platform. A test attaches the devices it needs
// before it presses Connect: the virtual reader, or a scripted reader that answers each output report with the next
// of its queued replies (nothing once the queue is empty). After every test the view must show exactly what the
// presenter holds, told to it without a push that changed nothing.
class PresenterTest : public ::testing::Test {
protected:
    void SetUp() override { presenter_.Form_Load(); }
    void TearDown() override;

    void attachVirtualReader() { platform_.addDevice(reader_.device("/dev/hidraw-reader")); }
    void attachScriptedReader(std::int16_t inputLength = hid::sim::VirtualReader::kReportLength) {
        platform_.addDevice(scriptedReader(scriptedReplies_, inputLength, hid::sim::VirtualReader::kReportLength));
    }
    // Attaches the virtual reader and connects to it.
    void connectVirtualReader();

    void click(ControlId button) { presenter_.clicked(button); }
    void userChecks(ControlId control, CheckState state) {
        view_.userChecks(control, state);
        presenter_.checkChanged(control, state);
    }
    void userTypes(ControlId field, std::u16string_view text) {
        view_.shown.at(std::string(field.name())).text = std::u16string(text);
        presenter_.textEdited(field, text);
    }
    void userSelects(ControlId list, int index) {
        view_.shown.at(std::string(list.name())).selectedIndex = index;
        presenter_.selectedIndexChanged(list, index);
    }
    const ControlState& control(ControlId id) const { return presenter_.control(id); }
    std::u16string status() const { return control("txtMsg").text; }
    std::size_t reportsWritten() const { return platform_.writtenReports().size(); }
    // The output report last written, with the report ID at index 0.
    Bytes lastReport() const;

    hid::sim::SimHidPlatform platform_;
    hid::sim::VirtualReader reader_;
    ScriptedReplies scriptedReplies_;
    FakeMainView view_;
    MainPresenter presenter_{view_, platform_};
};

}  // namespace cdr::test
