#pragma once

class QString;
class QWidget;

namespace cdr {

// The width in pixels that a label, check box, option button, button or group box needs to show `caption` whole at
// its font: the caption's advance and the room its style takes beside it (a check mark, a button's frame, the room
// left of a group's title). A caption's trailing blank takes no room on screen and does not count.
int captionWidth(const QWidget& control, const QString& caption);

}  // namespace cdr
