#include "presenter/control_names.h"
#include "presenter/main_presenter.h"

namespace cdr {

namespace {

// Text put into a sentinel field by the program keeps its first character only.
std::u16string_view firstCharacter(const std::u16string& text) { return std::u16string_view(text).substr(0, 1); }

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
void MainPresenter::applySentinelRule(std::string_view checkBox, std::span<const std::string_view> fields) {
    const bool on = isOn(control(checkBox).check);
    for (const std::string_view field : fields) {
        setEnabled(field, on);
    }
}

}  // namespace cdr
