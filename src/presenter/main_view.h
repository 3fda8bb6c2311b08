#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/reader_settings.h"

namespace cdr {

enum class FileDialogKind { Load, Save };

// What the main window's presenter asks of a window toolkit. Controls are named as in the control table
// ("cmdOnce", "txtSS(0)"). A view changes a control only when asked to, and reports what the user did through
// ViewEvents; a change the presenter makes is never reported back as an event.
class MainView {
public:
    virtual ~MainView() = default;

    // Shows the window; its controls already exist, laid out from the control table.
    virtual void showWindow() = 0;

    // The caption of a button, check box, option button or group box, or the text of a label or text field.
    virtual void setText(std::string_view control, std::u16string_view text) = 0;
    // A check box's state (kUnchecked, kChecked, kGrayed), or an option button's (kUnchecked or kChecked).
    virtual void setCheck(std::string_view control, CheckState state) = 0;
    virtual void setEnabled(std::string_view control, bool enabled) = 0;
    virtual void setVisible(std::string_view control, bool visible) = 0;

    // The items of a drop-down list or list box, replaced whole (the selection stays unless it is past the new end),
    // and the selected item (-1: none).
    virtual void setItems(std::string_view control, const std::vector<std::u16string>& items) = 0;
    virtual void setSelectedIndex(std::string_view control, int index) = 0;

    // Keyboard focus: the control that has it ("" when none of the window's controls has), and moving it.
    virtual std::string focusedControl() const = 0;
    virtual void setFocus(std::string_view control) = 0;

    // The timer control: armed with its interval, or stopped.
    virtual void setTimer(std::string_view control, bool armed, int intervalMs) = 0;
    // A busy cursor over the window while the presenter waits on the reader.
    virtual void setBusy(bool busy) = 0;

    // Replaces the whole text of the one-line status label. When fileName is not empty, the first "%1" of text
    // stands for it, and the view may shorten the name so that the line fits (statusWithFileName gives the whole).
    virtual void setStatus(std::u16string_view text, std::u16string_view fileName) = 0;
    // Adds one item at the end of a list box.
    virtual void appendItem(std::string_view control, std::u16string_view item) = 0;
    // Lays the diagnostic panel out beside the settings and makes room for it; the presenter then shows its
    // controls.
    virtual void layOutDiagnosticPanel() = 0;

    // Asks the user for a settings file with the load or save dialog: its full path in UTF-8, or nothing when the
    // user cancelled.
    virtual std::optional<std::string> chooseSettingsFile(FileDialogKind kind) = 0;
};

// A status text with its file name put in place of the first "%1"; text unchanged when fileName is empty.
inline std::u16string statusWithFileName(std::u16string_view text, std::u16string_view fileName) {
    std::u16string whole(text);
    const auto placeholder = whole.find(u"%1");
    if (!fileName.empty() && placeholder != std::u16string::npos) {
        whole.replace(placeholder, 2, fileName);
    }
    return whole;
}

// What a view reports of the user's actions, each once, after the control shows the new state.
class ViewEvents {
public:
    virtual ~ViewEvents() = default;

    // A button was pressed.
    virtual void clicked(std::string_view control) = 0;
    // The user changed a check box (to kUnchecked or kChecked only) or turned an option button on; the view has
    // already turned the other option buttons of its group off.
    virtual void checkChanged(std::string_view control, CheckState state) = 0;
    // The user edited a text field.
    virtual void textEdited(std::string_view control, std::u16string_view text) = 0;
    // The user picked an item of a drop-down list.
    virtual void selectedIndexChanged(std::string_view control, int index) = 0;
    // The armed timer's interval passed.
    virtual void timerElapsed(std::string_view control) = 0;
    // The window is closing; it cannot be cancelled.
    virtual void closing() = 0;
};

}  // namespace cdr
