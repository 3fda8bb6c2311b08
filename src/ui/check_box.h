#pragma once

#include <QCheckBox>

#include "settings/reader_settings.h"

namespace cdr {

// A check box that holds the states 0 (off), 1 (on) and 2 (grayed). A user's click moves only between off and
// on; grayed is set by the program alone and read back as 2.
class CheckBox : public QCheckBox {
    Q_OBJECT

public:
    explicit CheckBox(const QString& text = {}, QWidget* parent = nullptr);

    CheckState value() const;
    // Sets the state; a value other than 0, 1 or 2 is refused and leaves the box as it was. Setting the state the
    // box already has emits nothing.
    bool setValue(CheckState state);

protected:
    void nextCheckState() override;
};

}  // namespace cdr
