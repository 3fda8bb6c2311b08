#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include <QWidget>

#include "hid/hid_platform.h"
#include "presenter/main_presenter.h"
#include "presenter/main_view.h"
#include "settings/reader_settings.h"
#include "ui/busy_cursor.h"
#include "ui/file_dialogs.h"

class QLabel;
class QListWidget;

namespace cdr {

struct ControlSpec;

// The program's one window, the Qt Widgets face of the main presenter, which it owns and which decides everything
// the window does. The window creates its controls from the control table, shows what the presenter tells it
// (MainView) and reports what the user does (ViewEvents), never a change the presenter made. Its code is split by
// concern: construction and the presenter's entry points (frm_main.cpp), the look (frm_main_look.cpp), showing the
// presenter's states (frm_main_view.cpp), reporting the user's actions (frm_main_events.cpp), and the layout of the
// diagnostic panel (frm_main_diagnostic.cpp).
class frmMain : public QWidget, private MainView {
    Q_OBJECT

public:
    explicit frmMain(hid::HidPlatform& platform, QWidget* parent = nullptr);
    ~frmMain() override;
    // QWidget's own, which the view's control-wise namesakes below would hide.
    using QWidget::setEnabled;
    using QWidget::setFocus;
    using QWidget::setVisible;

    // The presenter's entry points, for the program and its tests.
    void Form_Load() { presenter_->Form_Load(); }
    void SetControlsEnabled(bool enable) { presenter_->SetControlsEnabled(enable); }
    ReaderSettings currentSettings() const { return presenter_->currentSettings(); }
    void applySettings(const ReaderSettings& settings) { presenter_->applySettings(settings); }
    bool SendReaderCommand(std::span<const std::uint8_t> payload, std::vector<std::uint8_t>& reply) {
        return presenter_->SendReaderCommand(payload, reply);
    }
    void PollDevice(bool& readerPresent) { presenter_->PollDevice(readerPresent); }
    // The path in the encoding of the file dialogs' answers.
    bool SaveSettingsFile(const QString& path);
    bool LoadSettingsFile(const QString& path);
    // Shows the diagnostic panel beside the settings, which is otherwise hidden, and from then on adds a line to
    // lstResults for every platform call of the link.
    void showDiagnosticPanel() { presenter_->showDiagnosticPanel(); }

    // The dialogs through which Save Config and Load Config ask for a file; by default the standard ones.
    void setFileDialogs(std::unique_ptr<FileDialogs> dialogs);

    // The controls in the order of the window's control collection, and one of them by its name ("cmdOnce",
    // "txtSS(0)"); nullptr for an unknown name. The diagnostic panel's controls are built when the panel is first
    // shown; asking for the controls here builds them, hidden, with the state the presenter holds.
    const std::vector<QObject*>& controls();
    QObject* control(const QString& name);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // Construction (frm_main.cpp, frm_main_look.cpp).
    // Creates the controls of the table that lie in the diagnostic panel, or those that do not.
    void createControls(bool diagnosticPanel);
    QObject* createControl(const ControlSpec& spec);
    void buildDiagnosticPanel();
    void applyTabOrder();
    void applyLook();
    void labelSentinelFields();
    void fitCaptions();
    // A control that has been built, by name; nullptr for one that has not.
    QObject* byName(std::string_view name) const;
    template <typename Control>
    Control* find(std::string_view name) const {
        return qobject_cast<Control*>(byName(name));
    }

    // What the user does with a control, told to the presenter (frm_main_events.cpp).
    void connectEvents(const std::string& name, QObject* control);

    // MainView (frm_main_view.cpp, frm_main_diagnostic.cpp).
    void showWindow() override;
    void setText(std::string_view control, std::u16string_view text) override;
    void setCheck(std::string_view control, CheckState state) override;
    void setEnabled(std::string_view control, bool enabled) override;
    void setVisible(std::string_view control, bool visible) override;
    void setItems(std::string_view control, const std::vector<std::u16string>& items) override;
    void setSelectedIndex(std::string_view control, int index) override;
    std::string focusedControl() const override;
    void setFocus(std::string_view control) override;
    void setTimer(std::string_view control, bool armed, int intervalMs) override;
    void setBusy(bool busy) override;
    std::optional<std::string> chooseSettingsFile(FileDialogKind kind) override;
    void setStatus(std::u16string_view text, std::u16string_view fileName) override;
    void appendItem(std::string_view control, std::u16string_view item) override;
    void layOutDiagnosticPanel() override;

    FileDialogs& fileDialogs();

    // In table order; nullptr for a control of the diagnostic panel while the panel is not built.
    std::vector<QObject*> controls_;
    QLabel* txtMsg_ = nullptr;
    // Set once the diagnostic panel is built.
    QListWidget* lstResults_ = nullptr;
    std::unique_ptr<FileDialogs> fileDialogs_;
    std::optional<BusyCursor> busy_;
    // Made once the controls exist, since it shows its first states at once.
    std::unique_ptr<MainPresenter> presenter_;
};

}  // namespace cdr
