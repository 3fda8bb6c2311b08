#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include <QWidget>

#include "hid/call_log.h"
#include "hid/hid_link.h"
#include "hid/hid_platform.h"
#include "settings/reader_settings.h"
#include "ui/file_dialogs.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTimer;

namespace cdr {

class CheckBox;
class OptionButton;
struct ControlSpec;

// The program's one window. It owns every control, and its controls are the only store of the reader's
// settings. Its code is split by concern: construction and layout (frm_main.cpp, frm_main_look.cpp), start-up,
// group enable and shut-down (frm_main_startup.cpp), the settings controls (frm_main_settings.cpp), the command
// exchange (frm_main_exchange.cpp), Connect and Version (frm_main_connection.cpp), the device poll and continuous
// mode (frm_main_poll.cpp), reading and writing the reader's settings (frm_main_reader_settings.cpp), and the
// settings files (frm_main_settings_file.cpp).
class frmMain : public QWidget, private hid::LinkObserver {
    Q_OBJECT

public:
    explicit frmMain(hid::HidPlatform& platform, QWidget* parent = nullptr);

    // Shows the window at once, then initialises its controls; leaves only the Connect button usable.
    void Form_Load();

    // Enables or disables every control of the window as a group; the Send and Receive group and the Connect
    // button stay usable either way, and the sentinel fields then follow their check boxes.
    void SetControlsEnabled(bool enable);

    // The reader's settings as the controls hold them.
    ReaderSettings currentSettings() const;
    // Writes the settings into the controls one at a time: tracks, start check box, start fields, end check box,
    // end fields, format options, Enter options. A check box that changes state runs its sentinel rule at once.
    void applySettings(const ReaderSettings& settings);

    // The controls in the order of the window's control collection, and one of them by its name ("cmdOnce",
    // "txtSS(0)"); nullptr for an unknown name.
    const std::vector<QObject*>& controls() const { return controls_; }
    QObject* control(const QString& name) const;

    // Sends one command to the reader and reads its reply; true when the reply's status byte is 0x50. Refused with
    // "The device is not connected." while cmdOnce reads "Connect" in any letter case (reply untouched), and with
    // the frame codec's text when the payload does not fit the output report; "ERROR" for any other failure.
    bool SendReaderCommand(std::span<const std::uint8_t> payload, std::vector<std::uint8_t>& reply);
    // Whether cmdOnce reads anything but "Connect" in any letter case: the window counts as connected.
    bool isConnected() const;
    // The frame's check byte: the XOR of byteData[1 .. datalen].
    std::uint8_t COM_BCCCalc(std::span<const std::uint8_t> byteData, std::int16_t datalen, std::uint8_t BCCTYPE) const;
    // Searches for the reader while it is not detected; steps the byte lists when a reader is present and keeps the
    // log list on its last line and short.
    void PollDevice(bool& readerPresent);

    // Settings files (frm_main_settings_file.cpp). Each says on the status label what it did or why it failed.
    // Writes the settings the controls hold into the file at `path`, replacing it only when all was written.
    bool SaveSettingsFile(const QString& path);
    // Applies the file at `path` to the controls, or changes none when any of its lines cannot be read.
    bool LoadSettingsFile(const QString& path);
    // The dialogs through which Save Config and Load Config ask for a file; by default the standard ones.
    void setFileDialogs(std::unique_ptr<FileDialogs> dialogs);

    // Shows the diagnostic panel beside the settings, which is otherwise hidden, and from then on adds a line to
    // lstResults for every platform call of the link (frm_main_diagnostic.cpp).
    void showDiagnosticPanel();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // Construction (frm_main.cpp, frm_main_look.cpp).
    void createControls();
    QObject* createControl(const ControlSpec& spec);
    void bindControls();
    void applyTabOrder();
    void connectHandlers();
    void applyLook();
    void labelSentinelFields();
    void fitCaptions();

    // Start-up and shut-down (frm_main_startup.cpp).
    void InitControls();
    // Gives the focus back to `focused` when it can still take it, else to the first usable control in tab order.
    void restoreFocus(QWidget* focused);
    void FillByteLists();
    void Form_Unload();

    // Settings controls (frm_main_settings.cpp).
    void cmdDefault_Click();
    void chkStart_Click();
    void chkEnd_Click();
    static void applySentinelRule(const CheckBox& box, const std::array<QLineEdit*, kTrackCount>& fields);

    // The link's hook after every platform call, and its status texts (frm_main_exchange.cpp).
    void logApiResult(std::string_view label) override;
    void keepLogOnLastLine() override;
    void showStatus(std::string_view text) override;
    void showMessage(std::u16string_view text);
    // A status text in which "%1" stands for a file name; the name is shortened in the middle to fit the line.
    void showFileMessage(const QString& text, const QString& fileName);

    // Connect and Version (frm_main_connection.cpp).
    void cmdOnce_Click();
    void cmdVersion_Click();

    // Diagnostic panel (frm_main_poll.cpp).
    void cmdContinuous_Click();
    void tmrContinuousDataCollect_Timer();
    void trimResults();
    // One line of lstResults: a platform call's label and the system's text for the call's result.
    void addResultLine(std::string_view label, std::string_view systemText);

    // The reader's settings (frm_main_reader_settings.cpp).
    void cmdRead_Click();
    void cmdWrite_Click();

    // Settings files (frm_main_settings_file.cpp).
    void cmdSave_Click();
    void cmdLoad_Click();
    FileDialogs& fileDialogs();

    template <typename Control>
    Control* bind(const QString& name) const;
    template <typename Control, std::size_t Count>
    void bindArray(std::array<Control*, Count>& elements, const QString& name) const;

    // The operating system's HID services, over which the window's link to the reader runs.
    hid::HidPlatform& platform_;
    hid::HidLink link_{platform_, *this};
    std::vector<QObject*> controls_;

    QGroupBox* fraSendAndReceive_ = nullptr;
    QPushButton* cmdRead_ = nullptr;
    QPushButton* cmdWrite_ = nullptr;
    QPushButton* cmdVersion_ = nullptr;
    QPushButton* cmdOnce_ = nullptr;
    QPushButton* cmdContinuous_ = nullptr;
    QWidget* frmSet_ = nullptr;
    QLabel* txtMsg_ = nullptr;
    QPushButton* cmdDefault_ = nullptr;
    QPushButton* cmdLoad_ = nullptr;
    QPushButton* cmdSave_ = nullptr;
    std::array<CheckBox*, kTrackCount> chkTrack_{};
    CheckBox* chkStart_ = nullptr;
    std::array<QLineEdit*, kTrackCount> txtSS_{};
    CheckBox* chkEnd_ = nullptr;
    std::array<QLineEdit*, kTrackCount> txtES_{};
    std::array<OptionButton*, kFormatOptionCount> optFormat_{};
    std::array<OptionButton*, kEnterOptionCount> optCR_{};
    QComboBox* cboByte0_ = nullptr;
    QComboBox* cboByte1_ = nullptr;
    CheckBox* chkAutoincrement_ = nullptr;
    QListWidget* lstResults_ = nullptr;
    QTimer* tmrContinuousDataCollect_ = nullptr;
    std::unique_ptr<FileDialogs> fileDialogs_;
    bool diagnostic_ = false;
};

}  // namespace cdr
