#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTimer>

#include <algorithm>

#include "presenter/control_names.h"
#include "ui/check_box.h"
#include "ui/frm_main.h"
#include "ui/option_button.h"
#include "ui/status_line.h"
#include "ui/widget_colors.h"

namespace cdr {

namespace {

QString toQString(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

void frmMain::showWindow() { show(); }

void frmMain::setText(ControlId id, std::u16string_view text) {
    const PresenterChange change(*this);
    QObject* target = byId(id);
    if (auto* button = qobject_cast<QAbstractButton*>(target)) {
        button->setText(toQString(text));
    } else if (auto* group = qobject_cast<QGroupBox*>(target)) {
        group->setTitle(toQString(text));
    } else if (auto* label = qobject_cast<QLabel*>(target)) {
        label->setText(toQString(text));
    } else if (auto* field = qobject_cast<QLineEdit*>(target)) {
        field->setText(toQString(text));
    }
}

void frmMain::setCheck(ControlId id, CheckState state) {
    const PresenterChange change(*this);
    QObject* target = byId(id);
    if (auto* box = qobject_cast<CheckBox*>(target)) {
        box->setValue(state);
    } else if (auto* option = qobject_cast<OptionButton*>(target)) {
        option->setChecked(state == kChecked);
    }
}

// A sentinel field is white while it takes input and has the button-face colour while it is disabled.
void frmMain::setEnabled(ControlId id, bool enabled) {
    auto* widget = find<QWidget>(id);
    if (widget == nullptr) {
        return;
    }
    widget->setEnabled(enabled);
    if (isSentinelField(id)) {
        setRoleColor(*widget, QPalette::Base,
                     enabled ? QColor(Qt::white) : QApplication::palette().color(QPalette::Button));
    }
}

// Tab passes over a control that is no tab stop; a click still focuses it.
void frmMain::setTabStop(ControlId id, bool tabStop) {
    if (auto* widget = find<QWidget>(id)) {
        widget->setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::ClickFocus);
    }
}

// The diagnostic panel is built when it is first shown.
void frmMain::setVisible(ControlId id, bool visible) {
    if (visible && inDiagnosticPanel(id)) {
        buildDiagnosticPanel();
    }
    if (auto* widget = find<QWidget>(id)) {
        widget->setVisible(visible);
    }
}

void frmMain::setItems(ControlId id, const std::vector<std::u16string>& items) {
    const PresenterChange change(*this);
    QStringList texts;
    for (const std::u16string& item : items) {
        texts.append(QString::fromStdU16String(item));
    }
    if (auto* list = find<QComboBox>(id)) {
        const int selected = list->currentIndex();
        list->clear();
        list->addItems(texts);
        list->setCurrentIndex(selected < list->count() ? selected : -1);
    } else if (auto* box = find<QListWidget>(id)) {
        const int selected = box->currentRow();
        box->clear();
        box->addItems(texts);
        box->setCurrentRow(selected < box->count() ? selected : -1);
    }
}

void frmMain::setSelectedIndex(ControlId id, int index) {
    const PresenterChange change(*this);
    if (auto* list = find<QComboBox>(id)) {
        list->setCurrentIndex(index);
    } else if (auto* box = find<QListWidget>(id)) {
        box->setCurrentRow(index);
    }
}

void frmMain::appendItem(ControlId id, std::u16string_view item) {
    const PresenterChange change(*this);
    if (auto* box = find<QListWidget>(id)) {
        box->addItem(toQString(item));
    }
}

std::optional<ControlId> frmMain::focusedControl() const {
    const QWidget* focused = focusWidget();
    const auto found = focused == nullptr ? controls_.end() : std::ranges::find(controls_, focused);
    if (found == controls_.end()) {
        return std::nullopt;
    }
    return ControlId::at(static_cast<std::size_t>(found - controls_.begin()));
}

void frmMain::setFocus(ControlId id) {
    if (auto* widget = find<QWidget>(id)) {
        widget->setFocus(Qt::OtherFocusReason);
    }
}

void frmMain::setTimer(ControlId id, bool armed, int intervalMs) {
    auto* timer = find<QTimer>(id);
    if (timer == nullptr) {
        return;
    }
    timer->setInterval(intervalMs);
    if (!armed) {
        timer->stop();
    } else if (!timer->isActive()) {
        timer->start();
    }
}

void frmMain::setBusy(bool busy) {
    if (busy) {
        busy_.emplace();
    } else {
        busy_.reset();
    }
}

// The dialogs answer with a full path, empty when the user closed them without choosing.
std::optional<std::string> frmMain::chooseSettingsFile(FileDialogKind kind) {
    const QString path =
        kind == FileDialogKind::Save ? fileDialogs().chooseFileToSave() : fileDialogs().chooseFileToLoad();
    if (path.isEmpty()) {
        return std::nullopt;
    }
    return path.toStdString();
}

void frmMain::setStatus(std::u16string_view shown, std::u16string_view whole) {
    setStatusLine(*txtMsg_, toQString(shown), toQString(whole));
}

int frmMain::textWidth(ControlId id, std::u16string_view text) const {
    const auto* widget = find<QWidget>(id);
    return widget == nullptr ? 0 : widget->fontMetrics().horizontalAdvance(toQString(text));
}

int frmMain::textRoom(ControlId id) const {
    const auto* widget = find<QWidget>(id);
    if (const auto* label = qobject_cast<const QLabel*>(widget)) {
        return label->contentsRect().width() - 2 * label->margin();
    }
    return widget == nullptr ? 0 : widget->contentsRect().width();
}

}  // namespace cdr
