#include "ui/option_button_accessible.h"

#include "ui/option_button.h"

namespace cdr {

OptionButtonAccessible::OptionButtonAccessible(OptionButton* button)
    : QAccessibleWidget(button, QAccessible::RadioButton) {}

OptionButton* OptionButtonAccessible::button() const { return static_cast<OptionButton*>(widget()); }

QString OptionButtonAccessible::text(QAccessible::Text t) const {
    if (t == QAccessible::Name && button()->accessibleName().isEmpty()) {
        return button()->text();
    }
    return QAccessibleWidget::text(t);
}

QAccessible::State OptionButtonAccessible::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    state.checkable = true;
    state.checked = button()->isChecked();
    return state;
}

QStringList OptionButtonAccessible::actionNames() const {
    return QStringList{pressAction()} + QAccessibleWidget::actionNames();
}

void OptionButtonAccessible::doAction(const QString& actionName) {
    if (actionName != pressAction()) {
        QAccessibleWidget::doAction(actionName);
        return;
    }
    // A click does what the user's click does: it turns an off option on and leaves an on option on.
    if (button()->isEnabled()) {
        button()->click();
    }
}

namespace {

QAccessibleInterface* createOptionButtonAccessible(const QString& /*className*/, QObject* object) {
    if (auto* button = qobject_cast<OptionButton*>(object)) {
        return new OptionButtonAccessible(button);
    }
    return nullptr;
}

}  // namespace

void installOptionButtonAccessibility() {
    static const bool installed = (QAccessible::installFactory(createOptionButtonAccessible), true);
    Q_UNUSED(installed);
}

}  // namespace cdr
