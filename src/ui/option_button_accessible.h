#pragma once

#include <QAccessibleWidget>

namespace cdr {

class OptionButton;

// What assistive technology sees of an option button: a radio button whose press action turns it on and never
// off (the toolkit would present a non-exclusive radio button as a check box that its toggle action turns off).
class OptionButtonAccessible : public QAccessibleWidget {
public:
    explicit OptionButtonAccessible(OptionButton* button);

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;

private:
    OptionButton* button() const;
};

// Registers the interface above for every option button, once; each option button does so when it is made.
void installOptionButtonAccessibility();

}  // namespace cdr
