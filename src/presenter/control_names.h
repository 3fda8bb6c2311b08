#pragma once

#include <algorithm>
#include <array>
#include <string_view>

#include "settings/reader_settings.h"

namespace cdr {

// The names of the control arrays' elements, index i being track i + 1 or option i.
inline constexpr std::array<std::string_view, kTrackCount> kChkTrack{"chkTrack(0)", "chkTrack(1)", "chkTrack(2)"};
inline constexpr std::array<std::string_view, kTrackCount> kTxtSS{"txtSS(0)", "txtSS(1)", "txtSS(2)"};
inline constexpr std::array<std::string_view, kTrackCount> kTxtES{"txtES(0)", "txtES(1)", "txtES(2)"};
inline constexpr std::array<std::string_view, kFormatOptionCount> kOptFormat{"optFormat(0)", "optFormat(1)"};
inline constexpr std::array<std::string_view, kEnterOptionCount> kOptCR{"optCR(0)", "optCR(1)", "optCR(2)"};

// The start and end sentinel fields, which hold one character each.
constexpr bool isSentinelField(std::string_view name) {
    return std::ranges::find(kTxtSS, name) != kTxtSS.end() || std::ranges::find(kTxtES, name) != kTxtES.end();
}

}  // namespace cdr
