#include <array>

#include "presenter/control_names.h"
#include "presenter/main_presenter.h"

namespace cdr {

// Every event is ignored while the presenter waits on the reader: a view delivers none then, and one that did
// would act on a window that is about to change.
void MainPresenter::clicked(ControlId control) {
    struct ButtonHandler {
        ControlId button;
        void (MainPresenter::*handler)();
    };
    static constexpr std::array<ButtonHandler, 8> kHandlers{{
        {"cmdOnce", &MainPresenter::cmdOnce_Click},
        {"cmdVersion", &MainPresenter::cmdVersion_Click},
        {"cmdRead", &MainPresenter::cmdRead_Click},
        {"cmdWrite", &MainPresenter::cmdWrite_Click},
        {"cmdDefault", &MainPresenter::cmdDefault_Click},
        {"cmdSave", &MainPresenter::cmdSave_Click},
        {"cmdLoad", &MainPresenter::cmdLoad_Click},
        {"cmdContinuous", &MainPresenter::cmdContinuous_Click},
    }};
    if (busy_) {
        return;
    }
    for (const auto& [button, handler] : kHandlers) {
        if (button == control) {
            (this->*handler)();
        }
    }
}

// The view already shows the change: what the presenter holds follows, then what follows from it (the other
// options of a group turned off, the sentinel rule).
void MainPresenter::checkChanged(ControlId control, CheckState state) {
    if (busy_ || held(control).check == state) {
        return;
    }
    held(control).check = state;
    if (control.spec().kind == ControlKind::OptionButton) {
        setOption(control, state == kChecked);
        return;
    }
    runSentinelRuleOf(control);
}

void MainPresenter::textEdited(ControlId control, std::u16string_view text) {
    if (busy_) {
        return;
    }
    if (isSentinelField(control)) {
        sentinelEdited(control, text);
        return;
    }
    held(control).text = text;
}

void MainPresenter::selectedIndexChanged(ControlId control, int index) {
    if (!busy_) {
        held(control).selectedIndex = index;
    }
}

// In an option group the arrow keys select; on check boxes and buttons they do nothing.
void MainPresenter::arrowKey(ControlId control, bool forward) {
    if (!busy_ && control.spec().kind == ControlKind::OptionButton) {
        stepOption(control, forward);
    }
}

void MainPresenter::windowDeactivated() { focusOnLeaving_ = view_.focusedControl(); }

// A user who comes back finds the focus where it was, not on the first control (Space there would disconnect).
void MainPresenter::windowActivated() {
    if (!busy_) {
        restoreFocus(focusOnLeaving_);
    }
}

void MainPresenter::timerElapsed(ControlId control) {
    if (!busy_ && control == ControlId("tmrContinuousDataCollect")) {
        tmrContinuousDataCollect_Timer();
    }
}

void MainPresenter::closing() { Form_Unload(); }

}  // namespace cdr
