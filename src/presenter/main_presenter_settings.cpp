#include <algorithm>

#include "presenter/control_names.h"
#include "presenter/main_presenter.h"
#include "settings/sentinel_field.h"

namespace cdr {

namespace {

bool isSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDFFF; }

// Text put into a sentinel field by the program keeps its first UTF-16 unit only.
std::u16string_view firstCharacter(const std::u16string& text) { return std::u16string_view(text).substr(0, 1); }

// The sentinel field of the reader settings that a text field holds.
SentinelField sentinelFieldOf(ControlId field) {
    for (int track = 0; track < static_cast<int>(kTrackCount); ++track) {
        if (kTxtES[static_cast<std::size_t>(track)] == field) {
            return {SentinelKind::End, track};
        }
    }
    const auto position = std::ranges::find(kTxtSS, field) - kTxtSS.begin();
    return {SentinelKind::Start, static_cast<int>(position)};
}

}  // namespace

ReaderSettings MainPresenter::currentSettings() const {
    ReaderSettings settings;
    for (std::size_t i = 0; i < kTrackCount; ++i) {
        settings.trackEnabled[i] = control(kChkTrack[i]).check;
        settings.startSentinel[i] = control(kTxtSS[i]).text;
        settings.endSentinel[i] = control(kTxtES[i]).text;
    }
    settings.startSentinelEnabled = control("chkStart").check;
    settings.endSentinelEnabled = control("chkEnd").check;
    for (std::size_t i = 0; i < kFormatOptionCount; ++i) {
        settings.formatOption[i] = isOn(control(kOptFormat[i]).check);
    }
    for (std::size_t i = 0; i < kEnterOptionCount; ++i) {
        settings.enterOption[i] = isOn(control(kOptCR[i]).check);
    }
    return settings;
}

void MainPresenter::applySettings(const ReaderSettings& settings) {
    for (std::size_t i = 0; i < kTrackCount; ++i) {
        setCheck(kChkTrack[i], settings.trackEnabled[i]);
    }
    setCheck("chkStart", settings.startSentinelEnabled);
    for (std::size_t i = 0; i < kTrackCount; ++i) {
        setText(kTxtSS[i], firstCharacter(settings.startSentinel[i]));
    }
    setCheck("chkEnd", settings.endSentinelEnabled);
    for (std::size_t i = 0; i < kTrackCount; ++i) {
        setText(kTxtES[i], firstCharacter(settings.endSentinel[i]));
    }
    for (std::size_t i = 0; i < kFormatOptionCount; ++i) {
        setOption(kOptFormat[i], settings.formatOption[i]);
    }
    for (std::size_t i = 0; i < kEnterOptionCount; ++i) {
        setOption(kOptCR[i], settings.enterOption[i]);
    }
}

void MainPresenter::cmdDefault_Click() { applySettings(factorySettings()); }

void MainPresenter::chkStart_Click() { applySentinelRule("chkStart", kTxtSS); }

void MainPresenter::chkEnd_Click() { applySentinelRule("chkEnd", kTxtES); }

// A ticked box (exactly 1; grayed counts as off) makes its fields usable, otherwise they are disabled; the view
// colours them by their enabled state. Their texts stay as they are.
void MainPresenter::applySentinelRule(ControlId checkBox, std::span<const ControlId> fields) {
    const bool on = isOn(control(checkBox).check);
    for (const ControlId field : fields) {
        setEnabled(field, on);
    }
}

// One character is kept, counted in characters: a second one typed or pasted is dropped. A character outside the
// Basic Multilingual Plane, which no settings byte can hold, is refused whole and the field keeps what it had.
void MainPresenter::sentinelEdited(ControlId field, std::u16string_view text) {
    ControlState& state = held(field);
    if (std::ranges::any_of(text, isSurrogate)) {
        view_.setText(field, state.text);
        showMessage(refuseSentinel(sentinelFieldOf(field), u"character cannot be sent.").message);
        return;
    }
    const std::u16string_view kept = text.substr(0, 1);
    state.text.assign(kept.begin(), kept.end());
    if (kept.size() != text.size()) {
        view_.setText(field, kept);
    }
}

}  // namespace cdr
