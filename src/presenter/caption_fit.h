#pragma once

#include <functional>
#include <vector>

#include "presenter/control_table.h"

namespace cdr {

// Whether a control of this kind widens when its caption needs more room than it has: labels, check boxes, option
// buttons and group boxes. Buttons lie edge to edge in their rows and keep their width.
bool widensToCaption(ControlKind kind);

// Every control's place, in table order.
using ControlRects = std::vector<TwipsRect>;

// Widens each shown control whose caption needs more than its width (neededWidth, in twips; zero for a control
// without a caption to fit) into the free room to its right: up to the nearest shown control that starts right of
// it on its row, or the inner edge of the container it lies in, whichever comes first. A caption across its group
// box's top edge lies in the group box's container; a control of the window itself is bounded by the client area.
// Left, top and height stay, and no control narrows.
void widenToCaptions(ControlRects& rects, int clientWidth, const std::function<int(ControlId)>& neededWidth,
                     const std::function<bool(ControlId)>& shown);

}  // namespace cdr
