#pragma once

#include <algorithm>
#include <array>

#include "presenter/control_table.h"
#include "settings/reader_settings.h"

namespace cdr {

// The elements of the control arrays, index i being track i + 1 or option i.
inline constexpr std::array<ControlId, kTrackCount> kChkTrack{"chkTrack(0)", "chkTrack(1)", "chkTrack(2)"};
inline constexpr std::array<ControlId, kTrackCount> kTxtSS{"txtSS(0)", "txtSS(1)", "txtSS(2)"};
inline constexpr std::array<ControlId, kTrackCount> kTxtES{"txtES(0)", "txtES(1)", "txtES(2)"};
inline constexpr std::array<ControlId, kTrackCount> kStartLabels{"Label1(0)", "Label1(1)", "Label1(2)"};
inline constexpr std::array<ControlId, kTrackCount> kEndLabels{"Label1(3)", "Label1(4)", "Label1(5)"};
inline constexpr std::array<ControlId, kFormatOptionCount> kOptFormat{"optFormat(0)", "optFormat(1)"};
inline constexpr std::array<ControlId, kEnterOptionCount> kOptCR{"optCR(0)", "optCR(1)", "optCR(2)"};

// The start and end sentinel fields, which hold one character each.
constexpr bool isSentinelField(ControlId control) {
    return std::ranges::find(kTxtSS, control) != kTxtSS.end() || std::ranges::find(kTxtES, control) != kTxtES.end();
}

}  // namespace cdr
