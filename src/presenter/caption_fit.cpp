#include "presenter/caption_fit.h"

#include <algorithm>
#include <optional>

namespace cdr {

namespace {

using enum ControlKind;

// The width of a group box's border line, inside which its contents stay.
constexpr int kBorderTwips = 2 * kTwipsPerPixel;

// A control's place from the top-left corner of the window's client area.
TwipsRect onWindow(const ControlRects& rects, ControlId id) {
    TwipsRect rect = rects[id.index()];
    for (std::optional<ControlId> at = containerOf(id); at; at = containerOf(*at)) {
        rect.left += rects[at->index()].left;
        rect.top += rects[at->index()].top;
    }
    return rect;
}

// Where the free room right of a control ends at the latest: the inner edge of what it lies in.
int roomEnd(const ControlRects& rects, ControlId id, int clientWidth) {
    std::optional<ControlId> container = containerOf(id);
    if (container && id.spec().top < 0) {
        container = containerOf(*container);
    }
    if (!container) {
        return clientWidth;
    }
    const ControlKind kind = container->spec().kind;
    return onWindow(rects, *container).right() - (kind == Container ? 0 : kBorderTwips);
}

}  // namespace

bool widensToCaption(ControlKind kind) {
    return kind == Label || kind == CheckBox || kind == OptionButton || kind == GroupBox;
}

void widenToCaptions(ControlRects& rects, int clientWidth, const std::function<int(ControlId)>& neededWidth,
                     const std::function<bool(ControlId)>& shown) {
    const std::size_t count = rects.size();
    for (std::size_t i = 0; i < count; ++i) {
        const ControlId id = ControlId::at(i);
        const int needed = neededWidth(id);
        if (needed <= rects[i].width || !shown(id)) {
            continue;
        }
        const TwipsRect own = onWindow(rects, id);
        int end = roomEnd(rects, id, clientWidth);
        for (std::size_t j = 0; j < count; ++j) {
            const ControlId other = ControlId::at(j);
            const ControlKind kind = other.spec().kind;
            if (j == i || kind == Timer || kind == FileDialog || !shown(other)) {
                continue;
            }
            const TwipsRect rect = onWindow(rects, other);
            if (rect.top < own.bottom() && rect.bottom() > own.top && rect.left >= own.right()) {
                end = std::min(end, rect.left);
            }
        }
        rects[i].width = std::max(rects[i].width, std::min(needed, end - own.left));
    }
}

}  // namespace cdr
