#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "presenter/control_table.h"
#include "settings/reader_settings.h"

namespace cdr {

enum class FileDialogKind { Load, Save };

// What the main window's presenter asks of a window toolkit. A view changes a control only when asked to, and
// reports every change of a control's value through ViewEvents, whatever made it (mouse, keyboard, assistive
// technology, a paste), except a change the presenter asked for. It decides nothing: the presenter does.
class MainView {
public:
    virtual ~MainView() = default;

    // Shows the window; its controls already exist, laid out from the control table.
    virtual void showWindow() = 0;

    // The caption of a button, check box, option button or group box, or the text of a label or text field.
    virtual void setText(ControlId control, std::u16string_view text) = 0;
    // A check box's state (kUnchecked, kChecked, kGrayed), or an option button's (kUnchecked or kChecked).
    virtual void setCheck(ControlId control, CheckState state) = 0;
    virtual void setEnabled(ControlId control, bool enabled) = 0;
    virtual void setVisible(ControlId control, bool visible) = 0;
    // Whether Tab stops at the control.
    virtual void setTabStop(ControlId control, bool tabStop) = 0;

    // The items of a drop-down list or list box, replaced whole (the selection stays unless it is past the new end),
    // and the selected item (-1: none).
    virtual void setItems(ControlId control, const std::vector<std::u16string>& items) = 0;
    virtual void setSelectedIndex(ControlId control, int index) = 0;

    // Keyboard focus: the control that has it (none when none of the window's controls has), and moving it.
    virtual std::optional<ControlId> focusedControl() const = 0;
    virtual void setFocus(ControlId control) = 0;

    // The timer control: armed with its interval, or stopped.
    virtual void setTimer(ControlId control, bool armed, int intervalMs) = 0;
    // While the presenter waits on the reader: the busy cursor over the window. When the wait ends, the input that
    // reached the window meanwhile (keys, mouse buttons) is dropped, never carried out afterwards.
    virtual void setBusy(bool busy) = 0;

    // The one-line status label shows `shown`; `whole` is its tooltip and accessible description.
    virtual void setStatus(std::u16string_view shown, std::u16string_view whole) = 0;
    // Measures, in the view's pixels: the advance of a text at a control's font, and the room the control leaves
    // its text.
    virtual int textWidth(ControlId control, std::u16string_view text) const = 0;
    virtual int textRoom(ControlId control) const = 0;

    // The width in twips that a label, check box, option button or group box needs to show `caption` whole at its
    // font: the caption's advance and what the control draws beside it (a check mark, a title's inset).
    virtual int captionWidth(ControlId control, std::u16string_view caption) const = 0;

    // Adds one item at the end of a list box.
    virtual void appendItem(ControlId control, std::u16string_view item) = 0;
    // Moves and sizes a control, and sizes the window's client area.
    virtual void place(ControlId control, TwipsRect rect) = 0;
    virtual void setClientSize(int widthTwips, int heightTwips) = 0;

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

// What a view reports: each change of a control's value once, after the control shows it, and the keys and window
// activations whose handling the presenter decides.
class ViewEvents {
public:
    virtual ~ViewEvents() = default;

    // A button was pressed.
    virtual void clicked(ControlId control) = 0;
    // A check box or option button changed its state.
    virtual void checkChanged(ControlId control, CheckState state) = 0;
    // A text field's text changed.
    virtual void textEdited(ControlId control, std::u16string_view text) = 0;
    // A drop-down list's selection changed.
    virtual void selectedIndexChanged(ControlId control, int index) = 0;
    // An arrow key was pressed on a button, check box or option button; the view does nothing else with it.
    virtual void arrowKey(ControlId control, bool forward) = 0;
    // The window lost the activation to another window, or got it back.
    virtual void windowDeactivated() = 0;
    virtual void windowActivated() = 0;
    // The view's measures changed (another DPI, another font): what was fitted to them is fitted again.
    virtual void metricsChanged() = 0;
    // The armed timer's interval passed.
    virtual void timerElapsed(ControlId control) = 0;
    // The window is closing; it cannot be cancelled.
    virtual void closing() = 0;
};

}  // namespace cdr
