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

#include "settings/sentinel_field.h"
#include "ui/caption_fit.h"
#include "ui/check_box.h"
#include "ui/control_table.h"
#include "ui/edge_caption_group_box.h"
#include "ui/option_button.h"
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

QString indexedName(const QString& name, std::size_t index) { return QStringLiteral("%1(%2)").arg(name).arg(index); }

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

frmMain::frmMain(hid::HidPlatform& platform, QWidget* parent) : QWidget(parent), platform_(platform) {
    registerFontSubstitutes();

    setWindowTitle(kCaption);
    setWindowIcon(windowIconFromResource());
    setFixedSize(kClientWidth, kClientHeight);

    createControls();
    bindControls();
    applyTabOrder();
    applyLook();
    fitCaptions();
    labelSentinelFields();
    applySettings(factorySettings());
    connectHandlers();
}

QObject* frmMain::control(const QString& name) const {
    const auto found = std::find_if(controls_.begin(), controls_.end(),
                                    [&name](const QObject* control) { return control->objectName() == name; });
    return found == controls_.end() ? nullptr : *found;
}

void frmMain::createControls() {
    for (const ControlSpec& spec : mainWindowControls()) {
        QObject* control = createControl(spec);
        control->setObjectName(QString::fromUtf8(spec.name));
        controls_.push_back(control);
    }
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
    QPoint origin(0, 0);
    if (spec.container != nullptr) {
        container = qobject_cast<QWidget*>(control(QString::fromUtf8(spec.container)));
        if (spec.top < 0) {
            origin = container->pos();
            container = container->parentWidget();
        }
    }
    QWidget* widget = createWidget(spec.kind, QString::fromUtf8(spec.caption), container);
    widget->setGeometry(origin.x() + twipsToPixels(spec.left), origin.y() + twipsToPixels(spec.top),
                        twipsToPixels(spec.width), twipsToPixels(spec.height));
    if (spec.top < 0) {
        widget->raise();
    }
    if (spec.hidden) {
        widget->hide();
    }
    return widget;
}

template <typename Control>
Control* frmMain::bind(const QString& name) const {
    return qobject_cast<Control*>(control(name));
}

template <typename Control, std::size_t Count>
void frmMain::bindArray(std::array<Control*, Count>& elements, const QString& name) const {
    for (std::size_t i = 0; i < Count; ++i) {
        elements[i] = bind<Control>(indexedName(name, i));
    }
}

void frmMain::bindControls() {
    fraSendAndReceive_ = bind<QGroupBox>(QStringLiteral("fraSendAndReceive"));
    cmdRead_ = bind<QPushButton>(QStringLiteral("cmdRead"));
    cmdWrite_ = bind<QPushButton>(QStringLiteral("cmdWrite"));
    cmdVersion_ = bind<QPushButton>(QStringLiteral("cmdVersion"));
    cmdOnce_ = bind<QPushButton>(QStringLiteral("cmdOnce"));
    cmdContinuous_ = bind<QPushButton>(QStringLiteral("cmdContinuous"));
    frmSet_ = bind<QWidget>(QStringLiteral("frmSet"));
    txtMsg_ = bind<QLabel>(QStringLiteral("txtMsg"));
    cmdDefault_ = bind<QPushButton>(QStringLiteral("cmdDefault"));
    cmdLoad_ = bind<QPushButton>(QStringLiteral("cmdLoad"));
    cmdSave_ = bind<QPushButton>(QStringLiteral("cmdSave"));
    bindArray(chkTrack_, QStringLiteral("chkTrack"));
    chkStart_ = bind<CheckBox>(QStringLiteral("chkStart"));
    bindArray(txtSS_, QStringLiteral("txtSS"));
    chkEnd_ = bind<CheckBox>(QStringLiteral("chkEnd"));
    bindArray(txtES_, QStringLiteral("txtES"));
    bindArray(optFormat_, QStringLiteral("optFormat"));
    bindArray(optCR_, QStringLiteral("optCR"));
    cboByte0_ = bind<QComboBox>(QStringLiteral("cboByte0"));
    cboByte1_ = bind<QComboBox>(QStringLiteral("cboByte1"));
    chkAutoincrement_ = bind<CheckBox>(QStringLiteral("chkAutoincrement"));
    lstResults_ = bind<QListWidget>(QStringLiteral("lstResults"));
    tmrContinuousDataCollect_ = bind<QTimer>(QStringLiteral("tmrContinuousDataCollect"));
}

// The labels "Track1" to "Track3" beside the sentinel fields are their buddies. Both frames have the same three
// labels, so assistive technology hears each field by its whole caption ("Track Start Sentinel, Track1"), and each
// frame by the caption of the check box on its edge.
void frmMain::labelSentinelFields() {
    std::array<QLabel*, 2 * kTrackCount> labels{};
    bindArray(labels, QStringLiteral("Label1"));
    for (std::size_t i = 0; i < kTrackCount; ++i) {
        labels[i]->setBuddy(txtSS_[i]);
        labels[kTrackCount + i]->setBuddy(txtES_[i]);
        const int track = static_cast<int>(i);
        txtSS_[i]->setAccessibleName(QString::fromStdU16String(fieldCaption({SentinelKind::Start, track})));
        txtES_[i]->setAccessibleName(QString::fromStdU16String(fieldCaption({SentinelKind::End, track})));
    }
    bind<QWidget>(QStringLiteral("Frame3"))->setAccessibleName(chkStart_->text());
    bind<QWidget>(QStringLiteral("Frame4"))->setAccessibleName(chkEnd_->text());
}

// Captions drawn beside a control's own mark (labels, check boxes, option buttons) may take the free room to their
// right when the desktop font is larger than the layout was made for.
void frmMain::fitCaptions() {
    for (const ControlSpec& spec : mainWindowControls()) {
        if (spec.kind == ControlKind::Label || spec.kind == ControlKind::CheckBox ||
            spec.kind == ControlKind::OptionButton) {
            widenToCaption(*qobject_cast<QWidget*>(control(QString::fromUtf8(spec.name))));
        }
    }
}

// Chains the controls that take focus from the keyboard in the order of their tab indices.
void frmMain::applyTabOrder() {
    std::vector<std::pair<int, QWidget*>> ordered;
    for (const ControlSpec& spec : mainWindowControls()) {
        auto* widget = qobject_cast<QWidget*>(control(QString::fromUtf8(spec.name)));
        if (widget != nullptr && (widget->focusPolicy() & Qt::TabFocus) != 0) {
            ordered.emplace_back(spec.tabIndex, widget);
        }
    }
    std::sort(ordered.begin(), ordered.end());
    for (std::size_t i = 1; i < ordered.size(); ++i) {
        QWidget::setTabOrder(ordered[i - 1].second, ordered[i].second);
    }
}

void frmMain::connectHandlers() {
    connect(cmdDefault_, &QPushButton::clicked, this, &frmMain::cmdDefault_Click);
    connect(cmdLoad_, &QPushButton::clicked, this, &frmMain::cmdLoad_Click);
    connect(cmdSave_, &QPushButton::clicked, this, &frmMain::cmdSave_Click);
    connect(chkStart_, &QCheckBox::stateChanged, this, &frmMain::chkStart_Click);
    connect(chkEnd_, &QCheckBox::stateChanged, this, &frmMain::chkEnd_Click);
    connect(cmdOnce_, &QPushButton::clicked, this, &frmMain::cmdOnce_Click);
    connect(cmdVersion_, &QPushButton::clicked, this, &frmMain::cmdVersion_Click);
    connect(cmdRead_, &QPushButton::clicked, this, &frmMain::cmdRead_Click);
    connect(cmdWrite_, &QPushButton::clicked, this, &frmMain::cmdWrite_Click);
    connect(cmdContinuous_, &QPushButton::clicked, this, &frmMain::cmdContinuous_Click);
    connect(tmrContinuousDataCollect_, &QTimer::timeout, this, &frmMain::tmrContinuousDataCollect_Timer);
}

void frmMain::closeEvent(QCloseEvent* event) {
    Form_Unload();
    event->accept();
}

}  // namespace cdr
