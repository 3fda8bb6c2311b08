#include "ui/caption_fit.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>

#include <algorithm>

namespace cdr {

namespace {

int contentsWidth(const QAbstractButton& button, QStyle::SubElement contents) {
    QStyleOptionButton option;
    option.initFrom(&button);
    option.text = button.text();
    return button.style()->subElementRect(contents, &option, &button).width();
}

}  // namespace

int captionShortfall(const QWidget& control) {
    QString caption;
    int room = 0;
    if (const auto* label = qobject_cast<const QLabel*>(&control)) {
        caption = label->text();
        room = label->contentsRect().width() - 2 * label->margin();
    } else if (const auto* checkBox = qobject_cast<const QCheckBox*>(&control)) {
        caption = checkBox->text();
        room = contentsWidth(*checkBox, QStyle::SE_CheckBoxContents);
    } else if (const auto* optionButton = qobject_cast<const QRadioButton*>(&control)) {
        caption = optionButton->text();
        room = contentsWidth(*optionButton, QStyle::SE_RadioButtonContents);
    } else if (const auto* button = qobject_cast<const QPushButton*>(&control)) {
        caption = button->text();
        room = contentsWidth(*button, QStyle::SE_PushButtonContents);
    } else if (const auto* group = qobject_cast<const QGroupBox*>(&control)) {
        caption = group->title();
        QStyleOptionGroupBox option;
        option.initFrom(group);
        option.text = caption;
        option.textAlignment = group->alignment();
        option.subControls = QStyle::SC_GroupBoxLabel;
        room = group->width() -
               group->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, group).left();
    }
    return control.fontMetrics().horizontalAdvance(caption.trimmed()) - room;
}

void widenToCaption(QWidget& control) {
    const int shortfall = captionShortfall(control);
    if (shortfall <= 0) {
        return;
    }
    const QWidget& container = *control.parentWidget();
    const QRect own = control.geometry();
    int roomEnd = container.width() - container.style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
    for (const QObject* child : container.children()) {
        const auto* sibling = qobject_cast<const QWidget*>(child);
        if (sibling == nullptr || sibling == &control || sibling->isHidden()) {
            continue;
        }
        const QRect other = sibling->geometry();
        const bool onTheRow = other.top() <= own.bottom() && other.bottom() >= own.top();
        if (onTheRow && other.left() > own.right()) {
            roomEnd = std::min(roomEnd, other.left());
        }
    }
    control.resize(std::clamp(own.width() + shortfall, own.width(), std::max(own.width(), roomEnd - own.left())),
                   own.height());
}

}  // namespace cdr
