#pragma once

#include <QGroupBox>

namespace cdr {

// A group box without caption of its own whose caption is another control laid across its top edge (a check
// box). It draws its frame where a captioned group box draws it, leaving the caption's room to that control.
class EdgeCaptionGroupBox : public QGroupBox {
    Q_OBJECT

public:
    explicit EdgeCaptionGroupBox(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace cdr
