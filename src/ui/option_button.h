#pragma once

#include <QRadioButton>

namespace cdr {

// An option button of a group that the presenter keeps: turning it on does not turn the others of its group off
// here (the presenter does, and can leave a group with none on). A user's click on an option that is on leaves it
// on.
class OptionButton : public QRadioButton {
    Q_OBJECT

public:
    explicit OptionButton(const QString& text = {}, QWidget* parent = nullptr);

protected:
    void nextCheckState() override;
};

}  // namespace cdr
