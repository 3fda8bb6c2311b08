#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "hid/call_log.h"
#include "hid/hid_link.h"
#include "hid/hid_platform.h"
#include "presenter/control_state.h"
#include "presenter/main_view.h"
#include "reader/reader_session.h"
#include "settings/reader_settings.h"

namespace cdr {

// Everything the main window decides, over a view that shows it. The presenter holds every control's state (it
// starts as the control table loads the controls, with the factory settings) and tells the view each change; it
// owns the link to the reader. Its code is split by concern: control states and view events
// (main_presenter.cpp), start-up, group enable and shut-down (main_presenter_startup.cpp), the settings controls
// (main_presenter_settings.cpp), the command exchange, Connect and Version (main_presenter_connection.cpp), the
// device poll and the diagnostic panel (main_presenter_diagnostic.cpp), reading and writing the reader's settings
// (main_presenter_reader_settings.cpp), and the settings files (main_presenter_settings_file.cpp).
class MainPresenter final : public ViewEvents, private hid::LinkObserver {
public:
    // The view and the platform must outlive the presenter.
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

    // The state of a control by its name in the control table ("cmdOnce", "txtSS(0)"); throws std::out_of_range
    // for an unknown name.
    const ControlState& control(std::string_view name) const;

    // What the view reports. Events naming a control that has no handler only update what the presenter holds.
    void clicked(std::string_view control) override;
    void checkChanged(std::string_view control, CheckState state) override;
    void textEdited(std::string_view control, std::u16string_view text) override;
    void selectedIndexChanged(std::string_view control, int index) override;
    void timerElapsed(std::string_view control) override;
    void closing() override;

private:
    // Control states, each change told to the view unless it changes nothing (main_presenter.cpp).
    std::size_t indexOf(std::string_view name) const;
    ControlState& held(std::string_view name);
    void setText(std::string_view name, std::u16string_view text);
    // A check box's state; a change of chkStart or chkEnd runs its sentinel rule.
    void setCheck(std::string_view name, CheckState state);
    // An option button on turns the others of its group off; off touches no other.
    void setOption(std::string_view name, bool on);
    void turnOtherOptionsOff(std::string_view name, bool tellView);
    void setEnabled(std::string_view name, bool enabled);
    void setItems(std::string_view name, std::vector<std::u16string> items);
    void setSelectedIndex(std::string_view name, int index);
    void setTimer(std::string_view name, bool armed, int intervalMs);
    void runSentinelRuleOf(std::string_view checkBox);
    // Whether the control and all its containers are enabled and visible.
    bool usable(std::string_view name) const;
    // Whether the control is one that takes the keyboard focus and is usable.
    bool takesFocus(std::string_view name) const;
    // Replaces the whole status line; in showFileMessage "%1" stands for the file name.
    void showMessage(std::u16string_view text);
    void showFileMessage(std::u16string_view text, std::u16string_view fileName);

    // Start-up and shut-down (main_presenter_startup.cpp).
    void InitControls();
    // Gives the focus back to `focused` when it can still take it, else to the first usable control in tab order.
    void restoreFocus(const std::string& focused);
    void FillByteLists();
    void Form_Unload();

    // Settings controls (main_presenter_settings.cpp).
    void cmdDefault_Click();
    void chkStart_Click();
    void chkEnd_Click();
    void applySentinelRule(std::string_view checkBox, std::span<const std::string_view> fields);

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
    void stepByteList(std::string_view name);

    // The reader's settings (main_presenter_reader_settings.cpp).
    void cmdRead_Click();
    void cmdWrite_Click();

    // Settings files (main_presenter_settings_file.cpp).
    void cmdSave_Click();
    void cmdLoad_Click();

    MainView& view_;
    hid::HidPlatform& platform_;
    std::vector<ControlState> states_;
    std::unordered_map<std::string_view, std::size_t> indices_;
    hid::HidLink link_;
    ReaderSession session_{link_};
    bool diagnostic_ = false;
};

}  // namespace cdr
