#pragma once

#include <QRadioButton>

namespace cdr {

// An option button whose group is the option buttons sharing its parent. Turning one on turns the others of its
// group off; turning one off touches no other, so a group can be left with none on. A user's click on an option
// that is on leaves it on. The arrow keys move the focus and the selection to the next or previous option of the
// group, round at its ends, as in a native radio group.
class OptionButton : public QRadioButton {
    Q_OBJECT

public:
    explicit OptionButton(const QString& text = {}, QWidget* parent = nullptr);

    void setOn(bool on);

protected:
    void nextCheckState() override;
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace cdr
