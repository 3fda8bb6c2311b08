#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "presenter/main_view.h"
#include "win32/wide_text.h"

namespace cdr::win32 {

// Writes down every event of a control as one line, such as "checkChanged chkStart 1".
class RecordingViewEvents final : public ViewEvents {
public:
    std::vector<std::string> events;

    void clicked(ControlId control) override { note("clicked", control); }
    void checkChanged(ControlId control, CheckState state) override {
        note("checkChanged", control, std::to_string(state));
    }
    void textEdited(ControlId control, std::u16string_view text) override {
        note("textEdited", control, toUtf8(toWide(text)));
    }
    void selectedIndexChanged(ControlId control, int index) override {
        note("selectedIndexChanged", control, std::to_string(index));
    }
    void arrowKey(ControlId control, bool forward) override { note("arrowKey", control, forward ? "1" : "0"); }
    // The window's activation comes and goes with the test's windows: not written down.
    void windowDeactivated() override {}
    void windowActivated() override {}
    void metricsChanged() override { events.emplace_back("metricsChanged"); }
    void timerElapsed(ControlId control) override { note("timerElapsed", control); }
    void closing() override { events.emplace_back("closing"); }

private:
    void note(std::string_view event, ControlId control, const std::string& value = {}) {
        std::string line = std::string(event) + " " + std::string(control.name());
        if (!value.empty()) {
            line += " " + value;
        }
        events.push_back(line);
    }
};

}  // namespace cdr::win32
