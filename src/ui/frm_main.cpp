#include "ui/frm_main.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QIcon>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>

#include <algorithm>

#include "presenter/control_names.h"
#include "presenter/control_table.h"
#include "settings/sentinel_field.h"
#include "settings/settings_file_io.h"
#include "ui/check_box.h"
#include "ui/edge_caption_group_box.h"
#include "ui/option_button.h"
#include "ui/settings_file_dialog.h"
#include "ui/window_fonts.h"

namespace cdr {

namespace {

const QString kCaption = QStringLiteral("VELK CDR55P4W  V1.1");
const QString kIconPath = QStringLiteral(":/icons/cdr55p4w-config-24.png");
constexpr int kClientWidth = 599;
constexpr int kClientHeight = 333;

// The icon is read as the PNG it is. Left to guess, the reader would load every image-format plugin first to ask
// each whether it reads PNG, which PNG, built into Qt, never needs.
QIcon windowIconFromResource() {
    QImageReader reader(kIconPath, "png");
    reader.setAutoDetectImageFormat(false);
    return QIcon(QPixmap::fromImage(reader.read()));
}

QWidget* createWidget(ControlKind kind, const QString& caption, QWidget* container) {
    switch (kind) {
    case ControlKind::GroupBox:
        return new QGroupBox(caption, container);
    case ControlKind::EdgeCaptionGroupBox:
        return new EdgeCaptionGroupBox(container);
    case ControlKind::Container:
        return new QWidget(container);
    case ControlKind::Label:
        return new QLabel(caption, container);
    case ControlKind::TextField:
        return new QLineEdit(container);
    case ControlKind::CheckBox:
        return new CheckBox(caption, container);
    case ControlKind::OptionButton:
        return new OptionButton(caption, container);
    case ControlKind::Button:
        return new QPushButton(caption, container);
    case ControlKind::DropDownList:
        return new QComboBox(container);
    case ControlKind::ListBox:
        return new QListWidget(container);
    case ControlKind::Timer:
    case ControlKind::FileDialog:
        break;
    }
    return nullptr;
}

}  // namespace

frmMain::frmMain(hid::HidPlatform& platform, QWidget* parent) : QWidget(parent) {
    setWindowTitle(kCaption);
    setWindowIcon(windowIconFromResource());
    setFixedSize(kClientWidth, kClientHeight);

    createControls(false);
    txtMsg_ = find<QLabel>("txtMsg");
    applyTabOrder();
    applyLook();
    labelSentinelFields();
    presenter_ = std::make_unique<MainPresenter>(static_cast<MainView&>(*this), platform);
}

frmMain::~frmMain() = default;

const std::vector<QObject*>& frmMain::controls() {
    buildDiagnosticPanel();
    return controls_;
}

QObject* frmMain::control(const QString& name) {
    buildDiagnosticPanel();
    const std::optional<ControlId> id = controlNamed(name.toStdString());
    return id ? byId(*id) : nullptr;
}

bool frmMain::SaveSettingsFile(const QString& path) {
    return presenter_->SaveSettingsFile(pathFromUtf8(path.toStdString()));
}

bool frmMain::LoadSettingsFile(const QString& path) {
    return presenter_->LoadSettingsFile(pathFromUtf8(path.toStdString()));
}

void frmMain::setFileDialogs(std::unique_ptr<FileDialogs> dialogs) { fileDialogs_ = std::move(dialogs); }

FileDialogs& frmMain::fileDialogs() {
    if (!fileDialogs_) {
        fileDialogs_ = std::make_unique<SettingsFileDialogs>(this);
    }
    return *fileDialogs_;
}

void frmMain::createControls(bool diagnosticPanel) {
    const auto table = mainWindowControls();
    controls_.resize(table.size());
    for (std::size_t i = 0; i < table.size(); ++i) {
        const ControlId id = ControlId::at(i);
        if (inDiagnosticPanel(id) == diagnosticPanel) {
            QObject* control = createControl(table[i]);
            control->setObjectName(QString::fromUtf8(table[i].name));
            controls_[i] = control;
            connectEvents(id, control);
        }
    }
}

// The diagnostic panel stays hidden unless asked for, and its result list and byte lists cost a fair share of the
// window's start-up memory: they are built when first needed and then show what the presenter holds for them.
void frmMain::buildDiagnosticPanel() {
    if (lstResults_ != nullptr) {
        return;
    }
    createControls(true);
    lstResults_ = find<QListWidget>("lstResults");
    for (const ControlSpec& spec : mainWindowControls()) {
        const ControlId id = ControlId::of(spec);
        if (inDiagnosticPanel(id)) {
            const ControlState& held = presenter_->control(id);
            setText(id, held.text);
            setCheck(id, held.check);
            setItems(id, held.items);
            setSelectedIndex(id, held.selectedIndex);
            setEnabled(id, held.enabled);
            setVisible(id, held.visible);
        }
    }
    applyTabOrder();
}

// Builds one control inside its container, which the table lists before it. A control with a negative top lies
// across its group box's top edge; it is placed beside the group box, in front of it, so that the group box
// does not clip it.
QObject* frmMain::createControl(const ControlSpec& spec) {
    if (spec.kind == ControlKind::Timer) {
        return new QTimer(this);
    }
    if (spec.kind == ControlKind::FileDialog) {
        // No presence on screen and no enabled state; the settings-file dialogs are opened through it.
        return new QObject(this);
    }
    QWidget* container = this;
    if (spec.container != nullptr) {
        container = find<QWidget>(*controlNamed(spec.container));
        if (spec.top < 0) {
            container = container->parentWidget();
        }
    }
    QWidget* widget = createWidget(spec.kind, QString::fromUtf8(spec.caption), container);
    widget->setGeometry(pixelRect(ControlId::of(spec), spec.rect()));
    if (spec.top < 0) {
        widget->raise();
    }
    if (spec.hidden) {
        widget->hide();
    }
    return widget;
}

// The labels "Track1" to "Track3" beside the sentinel fields are their buddies. Both frames have the same three
// labels, so assistive technology hears each field by its whole caption ("Track Start Sentinel, Track1"), and each
// frame by the caption of the check box on its edge.
void frmMain::labelSentinelFields() {
    for (std::size_t i = 0; i < kTrackCount; ++i) {
        auto* start = find<QLineEdit>(kTxtSS[i]);
        auto* end = find<QLineEdit>(kTxtES[i]);
        find<QLabel>(kStartLabels[i])->setBuddy(start);
        find<QLabel>(kEndLabels[i])->setBuddy(end);
        const int track = static_cast<int>(i);
        start->setAccessibleName(QString::fromStdU16String(fieldCaption({SentinelKind::Start, track})));
        end->setAccessibleName(QString::fromStdU16String(fieldCaption({SentinelKind::End, track})));
    }
    find<QWidget>("Frame3")->setAccessibleName(find<CheckBox>("chkStart")->text());
    find<QWidget>("Frame4")->setAccessibleName(find<CheckBox>("chkEnd")->text());
}

// Chains the controls that take focus from the keyboard in the order of their tab indices.
void frmMain::applyTabOrder() {
    std::vector<std::pair<int, QWidget*>> ordered;
    for (const ControlSpec& spec : mainWindowControls()) {
        auto* widget = find<QWidget>(ControlId::of(spec));
        if (widget != nullptr && widget->focusPolicy() != Qt::NoFocus) {
            ordered.emplace_back(spec.tabIndex, widget);
        }
    }
    std::sort(ordered.begin(), ordered.end());
    for (std::size_t i = 1; i < ordered.size(); ++i) {
        QWidget::setTabOrder(ordered[i - 1].second, ordered[i].second);
    }
}

void frmMain::closeEvent(QCloseEvent* event) {
    presenter_->closing();
    event->accept();
}

}  // namespace cdr
