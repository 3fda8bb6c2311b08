#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "presenter/control_state.h"
#include "presenter/main_view.h"

namespace cdr::test {

// A view that shows nothing: it keeps each control's state as a view built from the control table would show it,
// applies what the presenter tells it, and records the calls. A push that changes nothing is counted.
class FakeMainView final : public MainView {
public:
    FakeMainView();

    void showWindow() override { calls.emplace_back("showWindow"); }
    void setText(ControlId control, std::u16string_view text) override;
    void setCheck(ControlId control, CheckState state) override;
    void setEnabled(ControlId control, bool enabled) override;
    void setVisible(ControlId control, bool visible) override;
    void setTabStop(ControlId control, bool tabStop) override;
    void setItems(ControlId control, const std::vector<std::u16string>& items) override;
    void setSelectedIndex(ControlId control, int index) override;
    std::optional<ControlId> focusedControl() const override { return focused; }
    void setFocus(ControlId control) override;
    void setTimer(ControlId control, bool armed, int intervalMs) override;
    void setBusy(bool busy) override { busyChanges.push_back(busy); }
    // The status label's text is the whole text; what it shows is kept apart.
    void setStatus(std::u16string_view shown, std::u16string_view whole) override;
    // One pixel per UTF-16 unit; the status label has statusRoom pixels.
    int textWidth(ControlId, std::u16string_view text) const override { return static_cast<int>(text.size()); }
    int textRoom(ControlId) const override { return statusRoom; }
    // What captionWidths holds for the control, else nothing to fit.
    int captionWidth(ControlId control, std::u16string_view) const override;
    void appendItem(ControlId control, std::u16string_view item) override;
    void place(ControlId control, TwipsRect rect) override;
    void setClientSize(int widthTwips, int heightTwips) override;
    std::optional<std::string> chooseSettingsFile(FileDialogKind kind) override;

    // A control's value as the user changes it; the presenter is not told.
    void userChecks(ControlId control, CheckState state) { shown.at(std::string(control.name())).check = state; }

    std::map<std::string, ControlState, std::less<>> shown;
    std::map<std::string, int, std::less<>> captionWidths;
    TwipsRect client{0, 0, 8985, 4995};
    std::vector<std::string> calls;
    int redundantPushes = 0;
    std::optional<ControlId> focused;
    std::vector<bool> busyChanges;
    std::u16string statusShown;
    int statusRoom = 1000;
    std::vector<FileDialogKind> dialogsShown;
    // What the next file dialog answers.
    std::optional<std::string> dialogAnswer;

private:
    ControlState& push(std::string_view call, ControlId control);
    template <typename Value>
    void change(std::string_view call, ControlId control, Value ControlState::*member, Value value);
};

}  // namespace cdr::test
