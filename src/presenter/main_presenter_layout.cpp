#include <algorithm>

#include "presenter/caption_fit.h"
#include "presenter/main_presenter.h"

namespace cdr {

namespace {

// The room between the panel's controls, and the window's client area as loaded.
constexpr int kPanelGapTwips = 6 * kTwipsPerPixel;
constexpr int kClientWidthTwips = 8985;
constexpr int kClientHeightTwips = 4995;

}  // namespace

void MainPresenter::layOut() {
    ControlRects rects;
    for (const ControlSpec& spec : mainWindowControls()) {
        rects.push_back(spec.rect());
    }
    TwipsRect client{0, 0, kClientWidthTwips, kClientHeightTwips};
    if (diagnostic_) {
        client = layOutDiagnosticPanel(rects);
    }
    widenToCaptions(
        rects, client.width, [this](ControlId id) { return neededCaptionWidth(id); },
        [this](ControlId id) { return shown(id); });
    for (std::size_t i = 0; i < rects.size(); ++i) {
        const ControlId id = ControlId::at(i);
        if (hold(held(id).place, rects[i])) {
            view_.place(id, rects[i]);
        }
    }
    if (diagnostic_) {
        view_.setClientSize(client.width, client.height);
    }
}

// The result list stays where the table puts it, right of the settings; the two byte groups, which the table lays
// across it, move beside it; the window widens to hold them all.
TwipsRect MainPresenter::layOutDiagnosticPanel(ControlRects& rects) const {
    const TwipsRect list = rects[ControlId("lstResults").index()];
    int right = kClientWidthTwips;
    int bottom = std::max(kClientHeightTwips, list.bottom() + kPanelGapTwips);
    for (const ControlId group : {ControlId("fraBytesReceived"), ControlId("fraBytesToSend")}) {
        TwipsRect& rect = rects[group.index()];
        rect.left = list.right() + kPanelGapTwips;
        rect.width = std::max(rect.width, neededCaptionWidth(group));
        for (const ControlSpec& spec : mainWindowControls()) {
            if (containerOf(ControlId::of(spec)) == group) {
                const int width = std::max(spec.width, neededCaptionWidth(ControlId::of(spec)));
                rect.width = std::max(rect.width, spec.left + width + kPanelGapTwips);
            }
        }
        right = std::max(right, rect.right() + kPanelGapTwips);
        bottom = std::max(bottom, rect.bottom() + kPanelGapTwips);
    }
    return {0, 0, right, bottom};
}

// The status line is fitted by shortening its text, never by widening.
int MainPresenter::neededCaptionWidth(ControlId id) const {
    if (id == kStatus || !widensToCaption(id.spec().kind)) {
        return 0;
    }
    return view_.captionWidth(id, control(id).text);
}

bool MainPresenter::shown(ControlId id) const {
    for (std::optional<ControlId> at = id; at; at = containerOf(*at)) {
        if (!control(*at).visible) {
            return false;
        }
    }
    return true;
}

// Not the user's input: handled while the window waits on the reader too.
void MainPresenter::metricsChanged() {
    layOut();
    std::u16string shown = fittedStatus();
    if (shown != statusShown_) {
        statusShown_ = std::move(shown);
        view_.setStatus(statusShown_, control(kStatus).text);
    }
}

}  // namespace cdr
