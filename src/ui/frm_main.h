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
#include "ui/busy_window.h"
#include "ui/file_dialogs.h"

class QLabel;
class QListWidget;

namespace cdr {

struct ControlSpec;

// The program's one window, the Qt Widgets face of the main presenter, which it owns and which decides everything
// the window does. The window creates its controls from the control table, shows what the presenter tells it
// (MainView) and reports what the user does (ViewEvents), never a change the presenter made. Its code is split by
// concern: construction and the presenter's entry points (frm_main.cpp), the look (frm_main_look.cpp), showing the
// presenter's states (frm_main_view.cpp), reporting the user's actions (frm_main_events.cpp), and placing and
// measuring controls (frm_main_layout.cpp).
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
    // A place in twips as the control's geometry in its parent widget.
    QRect pixelRect(ControlId id, TwipsRect rect) const;
    // A control that has been built; nullptr for one that has not.
    QObject* byId(ControlId id) const { return controls_[id.index()]; }
    template <typename Control>
    Control* find(ControlId id) const {
        return qobject_cast<Control*>(byId(id));
    }

    // Every change of a control's value, told to the presenter unless the presenter made it; arrow keys on
    // buttons and the window's activation (frm_main_events.cpp).
    void connectEvents(ControlId id, QObject* control);
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

    // Marks the presenter's changes for their lifetime, so that the signals they raise are not reported back.
    class PresenterChange {
    public:
        explicit PresenterChange(frmMain& window) : window_(window) { ++window_.presenterChanges_; }
        ~PresenterChange() { --window_.presenterChanges_; }
        PresenterChange(const PresenterChange&) = delete;
        PresenterChange& operator=(const PresenterChange&) = delete;

    private:
        frmMain& window_;
    };
    // The presenter to tell of a change, or nullptr while the presenter makes the change.
    MainPresenter* listener() const { return presenterChanges_ == 0 ? presenter_.get() : nullptr; }

    // MainView (frm_main_view.cpp, frm_main_layout.cpp).
    void showWindow() override;
    void setText(ControlId control, std::u16string_view text) override;
    void setCheck(ControlId control, CheckState state) override;
    void setEnabled(ControlId control, bool enabled) override;
    void setVisible(ControlId control, bool visible) override;
    void setTabStop(ControlId control, bool tabStop) override;
    void setItems(ControlId control, const std::vector<std::u16string>& items) override;
    void setSelectedIndex(ControlId control, int index) override;
    std::optional<ControlId> focusedControl() const override;
    void setFocus(ControlId control) override;
    void setTimer(ControlId control, bool armed, int intervalMs) override;
    void setBusy(bool busy) override;
    std::optional<std::string> chooseSettingsFile(FileDialogKind kind) override;
    void setStatus(std::u16string_view shown, std::u16string_view whole) override;
    int textWidth(ControlId control, std::u16string_view text) const override;
    int textRoom(ControlId control) const override;
    int captionWidth(ControlId control, std::u16string_view caption) const override;
    void appendItem(ControlId control, std::u16string_view item) override;
    void place(ControlId control, TwipsRect rect) override;
    void setClientSize(int widthTwips, int heightTwips) override;

    FileDialogs& fileDialogs();

    // In table order; nullptr for a control of the diagnostic panel while the panel is not built.
    std::vector<QObject*> controls_;
    QLabel* txtMsg_ = nullptr;
    // Set once the diagnostic panel is built.
    QListWidget* lstResults_ = nullptr;
    std::unique_ptr<FileDialogs> fileDialogs_;
    std::optional<BusyWindow> busy_;
    int presenterChanges_ = 0;
    // Made once the controls exist, since it shows its first states at once.
    std::unique_ptr<MainPresenter> presenter_;
};

}  // namespace cdr
