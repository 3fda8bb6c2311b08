#pragma once

class QWidget;

namespace cdr {

// How many pixels a label, button or group box lacks to show its whole caption at its font: the caption's advance
// less the room the style leaves it (beside a check mark, inside a button's frame, right of where a group's title
// starts). Zero or less when the caption fits; a caption's trailing blank takes no room on screen and does not count.
int captionShortfall(const QWidget& control);

// Widens a label, check box or option button whose caption falls short (a larger desktop font) into the free room
// to its right: up to the next control on its row or its container's edge, whichever comes first. Its position and
// height stay; a control whose caption fits is left as it is.
void widenToCaption(QWidget& control);

}  // namespace cdr
