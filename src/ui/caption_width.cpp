#include "ui/caption_width.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>

namespace cdr {

namespace {

int contentsWidth(const QAbstractButton& button, const QString& caption, QStyle::SubElement contents) {
    QStyleOptionButton option;
    option.initFrom(&button);
    option.text = caption;
    return button.style()->subElementRect(contents, &option, &button).width();
}

// The room the control leaves its caption at its present width.
int captionRoom(const QWidget& control, const QString& caption) {
    if (const auto* label = qobject_cast<const QLabel*>(&control)) {
        return label->contentsRect().width() - 2 * label->margin();
    }
    if (const auto* checkBox = qobject_cast<const QCheckBox*>(&control)) {
        return contentsWidth(*checkBox, caption, QStyle::SE_CheckBoxContents);
    }
    if (const auto* optionButton = qobject_cast<const QRadioButton*>(&control)) {
        return contentsWidth(*optionButton, caption, QStyle::SE_RadioButtonContents);
    }
    if (const auto* button = qobject_cast<const QPushButton*>(&control)) {
        return contentsWidth(*button, caption, QStyle::SE_PushButtonContents);
    }
    if (const auto* group = qobject_cast<const QGroupBox*>(&control)) {
        QStyleOptionGroupBox option;
        option.initFrom(group);
        option.text = caption;
        option.textAlignment = group->alignment();
        option.subControls = QStyle::SC_GroupBoxLabel;
        return group->width() -
               group->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, group).left();
    }
    return control.width();
}

}  // namespace

int captionWidth(const QWidget& control, const QString& caption) {
    return control.fontMetrics().horizontalAdvance(caption.trimmed()) + control.width() - captionRoom(control, caption);
}

}  // namespace cdr
