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
    void setText(std::string_view control, std::u16string_view text) override;
    void setCheck(std::string_view control, CheckState state) override;
    void setEnabled(std::string_view control, bool enabled) override;
    void setVisible(std::string_view control, bool visible) override;
    void setItems(std::string_view control, const std::vector<std::u16string>& items) override;
    void setSelectedIndex(std::string_view control, int index) override;
    std::string focusedControl() const override { return focused; }
    void setFocus(std::string_view control) override;
    void setTimer(std::string_view control, bool armed, int intervalMs) override;
    void setBusy(bool busy) override { busyChanges.push_back(busy); }
    // The status label's whole text; the file name of the last file text is kept apart.
    void setStatus(std::u16string_view text, std::u16string_view fileName) override;
    void appendItem(std::string_view control, std::u16string_view item) override;
    void layOutDiagnosticPanel() override { calls.emplace_back("layOutDiagnosticPanel"); }
    std::optional<std::string> chooseSettingsFile(FileDialogKind kind) override;

    // A check box or option button as the user changes it; an option turned on turns the rest of its group off.
    void userChecks(std::string_view control, CheckState state);

    std::map<std::string, ControlState, std::less<>> shown;
    std::vector<std::string> calls;
    int redundantPushes = 0;
    std::string focused;
    std::vector<bool> busyChanges;
    std::u16string statusFileName;
    std::vector<FileDialogKind> dialogsShown;
    // What the next file dialog answers.
    std::optional<std::string> dialogAnswer;

private:
    ControlState& push(std::string_view call, std::string_view control);
    template <typename Value>
    void change(std::string_view call, std::string_view control, Value ControlState::*member, Value value);
};

}  // namespace cdr::test
