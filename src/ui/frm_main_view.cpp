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

void frmMain::setText(std::string_view name, std::u16string_view text) {
    QObject* target = byName(name);
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

void frmMain::setCheck(std::string_view name, CheckState state) {
    QObject* target = byName(name);
    if (auto* box = qobject_cast<CheckBox*>(target)) {
        box->setValue(state);
    } else if (auto* option = qobject_cast<OptionButton*>(target)) {
        option->setOn(state == kChecked);
    }
}

// A sentinel field is white while it takes input and has the button-face colour while it is disabled.
void frmMain::setEnabled(std::string_view name, bool enabled) {
    auto* widget = find<QWidget>(name);
    if (widget == nullptr) {
        return;
    }
    widget->setEnabled(enabled);
    if (isSentinelField(name)) {
        setRoleColor(*widget, QPalette::Base,
                     enabled ? QColor(Qt::white) : QApplication::palette().color(QPalette::Button));
    }
}

void frmMain::setVisible(std::string_view name, bool visible) {
    if (auto* widget = find<QWidget>(name)) {
        widget->setVisible(visible);
    }
}

void frmMain::setItems(std::string_view name, const std::vector<std::u16string>& items) {
    QStringList texts;
    for (const std::u16string& item : items) {
        texts.append(QString::fromStdU16String(item));
    }
    if (auto* list = find<QComboBox>(name)) {
        const int selected = list->currentIndex();
        list->clear();
        list->addItems(texts);
        list->setCurrentIndex(selected < list->count() ? selected : -1);
    } else if (auto* box = find<QListWidget>(name)) {
        const int selected = box->currentRow();
        box->clear();
        box->addItems(texts);
        box->setCurrentRow(selected < box->count() ? selected : -1);
    }
}

void frmMain::setSelectedIndex(std::string_view name, int index) {
    if (auto* list = find<QComboBox>(name)) {
        list->setCurrentIndex(index);
    } else if (auto* box = find<QListWidget>(name)) {
        box->setCurrentRow(index);
    }
}

void frmMain::appendItem(std::string_view name, std::u16string_view item) {
    if (auto* box = find<QListWidget>(name)) {
        box->addItem(toQString(item));
    }
}

std::string frmMain::focusedControl() const {
    const QWidget* focused = focusWidget();
    const bool ours = focused != nullptr && std::ranges::find(controls_, focused) != controls_.end();
    return ours ? focused->objectName().toStdString() : std::string();
}

void frmMain::setFocus(std::string_view name) {
    if (auto* widget = find<QWidget>(name)) {
        widget->setFocus(Qt::OtherFocusReason);
    }
}

void frmMain::setTimer(std::string_view name, bool armed, int intervalMs) {
    auto* timer = find<QTimer>(name);
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

void frmMain::setStatus(std::u16string_view text, std::u16string_view fileName) {
    setStatusLine(*txtMsg_, toQString(text), toQString(fileName));
}

}  // namespace cdr
