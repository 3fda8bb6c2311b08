#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <optional>
#include <vector>

#include "hid/call_log.h"
#include "hid/hid_link.h"
#include "hid/hid_platform.h"
#include "presenter/caption_fit.h"
#include "presenter/control_state.h"
#include "presenter/main_view.h"
#include "reader/reader_session.h"
#include "settings/reader_settings.h"

namespace cdr {

// Everything the main window decides, over a view that shows it. The presenter holds every control's state (it
// starts as the control table loads the controls, with the factory settings) and tells the view each change; it
// owns the link to the reader. Its code is split by concern: control states and view events
// (main_presenter.cpp), the view's events (main_presenter_events.cpp), option groups
// (main_presenter_option_groups.cpp), start-up, group enable and shut-down (main_presenter_startup.cpp), the settings
// controls (main_presenter_settings.cpp), the command exchange, Connect and Version (main_presenter_connection.cpp),
// the device poll and the diagnostic panel (main_presenter_diagnostic.cpp), the layout (main_presenter_layout.cpp),
// reading and writing the reader's settings (main_presenter_reader_settings.cpp), and the settings files
// (main_presenter_settings_file.cpp).
class MainPresenter final : public ViewEvents, private hid::LinkObserver {
public:
    // The view and the platform must outlive the presenter. The view shows the presenter's first states at once,
    // its captions fitted to the view's font.
    MainPresenter(MainView& view, hid::HidPlatform& platform);
    MainPresenter(const MainPresenter&) = delete;
    MainPresenter& operator=(const MainPresenter&) = delete;

    // Shows the window at once, then initialises its controls; leaves only the Connect button usable.
    void Form_Load();

    // Enables or disables every control of the window as a group, arming or stopping the timer; the Send and
    // Receive group and the Connect button stay usable either way, and the sentinel fields then follow their check
    // boxes. The control that had the keyboard focus keeps it when it is still usable; otherwise the first usable
    // control in tab order takes it.
    void SetControlsEnabled(bool enable);

    // The reader's settings as the controls hold them.
    ReaderSettings currentSettings() const;
    // Writes the settings into the controls one at a time: tracks, start check box, start fields, end check box,
    // end fields, format options, Enter options. A check box that changes state runs its sentinel rule at once;
    // sentinel texts are cut to their first character.
    void applySettings(const ReaderSettings& settings);

    // Sends one command to the reader and reads its reply; true when the reply's status byte is 0x50. Refused with
    // "The device is not connected." while cmdOnce reads "Connect" in any letter case (reply untouched), and with
    // the frame codec's text when the payload does not fit the output report; "ERROR" for any other failure.
    bool SendReaderCommand(std::span<const std::uint8_t> payload, std::vector<std::uint8_t>& reply);
    // The frame's check byte: the XOR of byteData[1 .. datalen].
    std::uint8_t COM_BCCCalc(std::span<const std::uint8_t> byteData, std::int16_t datalen, std::uint8_t BCCTYPE) const;
    // Whether cmdOnce reads anything but "Connect" in any letter case: the window counts as connected.
    bool isConnected() const;
    // Searches for the reader while it is not detected; steps the byte lists when a reader is present and keeps the
    // log list on its last line and short.
    void PollDevice(bool& readerPresent);
    // Shows the diagnostic panel, which is otherwise hidden, and from then on adds a line to lstResults for every
    // platform call of the link: its label and the system's text for its result.
    void showDiagnosticPanel();

    // Settings files. Each says on the status label what it did or why it failed.
    // Writes the settings the controls hold into the file at `path`, replacing it only when all was written.
    bool SaveSettingsFile(const std::filesystem::path& path);
    // Applies the file at `path` to the controls, or changes none when any of its lines cannot be read.
    bool LoadSettingsFile(const std::filesystem::path& path);

    // What the presenter holds of a control.
    const ControlState& control(ControlId id) const { return states_[id.index()]; }
    // Whether the presenter waits on the reader; it ignores the view's events meanwhile.
    bool busy() const { return busy_; }

    // What the view reports (main_presenter_events.cpp). A change of a control that has no handler only updates
    // what the presenter holds.
    void clicked(ControlId control) override;
    void checkChanged(ControlId control, CheckState state) override;
    void textEdited(ControlId control, std::u16string_view text) override;
    void selectedIndexChanged(ControlId control, int index) override;
    void arrowKey(ControlId control, bool forward) override;
    void windowDeactivated() override;
    void windowActivated() override;
    void metricsChanged() override;
    void timerElapsed(ControlId control) override;
    void closing() override;

private:
    // Shows the busy cursor and ignores the view's events for its lifetime: while the window waits on the reader.
    class BusyWhileWaiting {
    public:
        explicit BusyWhileWaiting(MainPresenter& presenter);
        ~BusyWhileWaiting();
        BusyWhileWaiting(const BusyWhileWaiting&) = delete;
        BusyWhileWaiting& operator=(const BusyWhileWaiting&) = delete;

    private:
        MainPresenter& presenter_;
    };

    // Control states, each change told to the view unless it changes nothing (main_presenter.cpp).
    ControlState& held(ControlId id) { return states_[id.index()]; }
    void setText(ControlId id, std::u16string_view text);
    // A check box's state; a change of chkStart or chkEnd runs its sentinel rule.
    void setCheck(ControlId id, CheckState state);
    // An option button on turns the others of its group off; off touches no other. The group's tab stop follows.
    void setOption(ControlId id, bool on);
    void setEnabled(ControlId id, bool enabled);
    void setTabStop(ControlId id, bool tabStop);
    void setItems(ControlId id, std::vector<std::u16string> items);
    void setSelectedIndex(ControlId id, int index);
    void setTimer(ControlId id, bool armed, int intervalMs);
    void runSentinelRuleOf(ControlId checkBox);
    // Whether the control and all its containers are enabled and visible.
    bool usable(ControlId id) const;
    // Whether the control is one that takes the keyboard focus and is usable.
    bool takesFocus(ControlId id) const;
    // Replaces the whole status line; in showFileMessage "%1" stands for the file name.
    void showMessage(std::u16string_view text);
    void showFileMessage(std::u16string_view text, std::u16string_view fileName);
    // The status line fitted to the room the view's measures leave it.
    std::u16string fittedStatus() const;

    // Option groups: the option buttons of one container (main_presenter_option_groups.cpp).
    std::vector<ControlId> optionGroupOf(ControlId option) const;
    // Tab stops at the group's option that is on, else at its first.
    void updateTabStop(ControlId option);
    // Moves the focus and the selection to the next or previous usable option of the group, round at its ends.
    void stepOption(ControlId option, bool forward);

    // Start-up and shut-down (main_presenter_startup.cpp).
    void InitControls();
    // Gives the focus back to `focused` when it can still take it, else to the first usable control in tab order.
    void restoreFocus(std::optional<ControlId> focused);
    void FillByteLists();
    void Form_Unload();

    // Settings controls (main_presenter_settings.cpp).
    void cmdDefault_Click();
    void chkStart_Click();
    void chkEnd_Click();
    void applySentinelRule(ControlId checkBox, std::span<const ControlId> fields);
    // A sentinel field keeps one character; a character the reader cannot take is refused as it is typed.
    void sentinelEdited(ControlId field, std::u16string_view text);

    // The link's status texts, and the two halves of SendReaderCommand for the handlers that go through the
    // reader session: the refusal while not connected (clearing the status line first), and the status line after
    // an exchange (true when accepted) (main_presenter_connection.cpp).
    void showStatus(std::string_view text) override;
    bool readerCommandAllowed();
    bool reportExchange(ExchangeResult result);

    // Connect and Version (main_presenter_connection.cpp).
    void cmdOnce_Click();
    void cmdVersion_Click();

    // The link's hook after every platform call, the device poll and continuous mode
    // (main_presenter_diagnostic.cpp).
    void afterPlatformCall(std::string_view label) override;
    void keepLogOnLastLine() override;
    void trimResults();
    void cmdContinuous_Click();
    void tmrContinuousDataCollect_Timer();
    void stepByteList(ControlId id);

    // The layout (main_presenter_layout.cpp): the table's, the diagnostic panel beside the settings while it is
    // shown, and every caption fitted to the view's font. A control is placed again only when its place changed.
    void layOut();
    // Places the diagnostic panel's groups beside the result list, each wide enough for what it holds and its
    // title; the client area to hold them all.
    TwipsRect layOutDiagnosticPanel(ControlRects& rects) const;
    // The width a control's caption needs in twips; zero for a control whose caption is not fitted by widening.
    int neededCaptionWidth(ControlId id) const;
    // Whether the control and all its containers are shown.
    bool shown(ControlId id) const;

    // The reader's settings (main_presenter_reader_settings.cpp).
    void cmdRead_Click();
    void cmdWrite_Click();

    // Settings files (main_presenter_settings_file.cpp).
    void cmdSave_Click();
    void cmdLoad_Click();

    static constexpr ControlId kStatus = "txtMsg";

    MainView& view_;
    hid::HidPlatform& platform_;
    std::vector<ControlState> states_;
    // The control that had the focus when the window was last left.
    std::optional<ControlId> focusOnLeaving_;
    bool busy_ = false;
    hid::HidLink link_;
    ReaderSession session_{link_};
    bool diagnostic_ = false;
    // The status text as last set, its "%1" not yet replaced, the file name that replaces it, and what the label
    // was told to show.
    std::u16string statusText_;
    std::u16string statusFileName_;
    std::u16string statusShown_;
};

}  // namespace cdr
