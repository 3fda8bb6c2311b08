#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "presenter/main_view.h"
#include "win32/wide_text.h"

namespace cdr::win32 {

// Writes down every event as one line, such as "checkChanged chkStart 1".
class RecordingViewEvents final : public ViewEvents {
public:
    std::vector<std::string> events;

    void clicked(std::string_view control) override { note("clicked", control); }
    void checkChanged(std::string_view control, CheckState state) override {
        note("checkChanged", control, std::to_string(state));
    }
    void textEdited(std::string_view control, std::u16string_view text) override {
        note("textEdited", control, toUtf8(toWide(text)));
    }
    void selectedIndexChanged(std::string_view control, int index) override {
        note("selectedIndexChanged", control, std::to_string(index));
    }
    void timerElapsed(std::string_view control) override { note("timerElapsed", control); }
    void closing() override { events.emplace_back("closing"); }

private:
    void note(std::string_view event, std::string_view control, const std::string& value = {}) {
        std::string line = std::string(event) + " " + std::string(control);
        if (!value.empty()) {
            line += " " + value;
        }
        events.push_back(line);
    }
};

}  // namespace cdr::win32
