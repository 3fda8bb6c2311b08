#pragma once

#include <QColor>
#include <QPalette>

class QWidget;

namespace cdr {

// Gives one colour role of a widget's palette a colour, in every state of the widget.
void setRoleColor(QWidget& widget, QPalette::ColorRole role, const QColor& color);

// Gives the widget's text a colour while it is enabled; disabled, it shows its text greyed like any other.
void setEnabledTextColor(QWidget& widget, const QColor& color);

}  // namespace cdr
