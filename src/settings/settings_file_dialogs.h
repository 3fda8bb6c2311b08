#pragma once

#include <array>
#include <string_view>

namespace cdr {

// The texts of the file dialogs behind "Save Config" and "Load Config".
inline constexpr std::u16string_view kProposedSettingsFileName = u"CDR55P4Wcfg";  // no extension on purpose
inline constexpr std::u16string_view kLoadDialogTitle = u"File Search";
inline constexpr std::u16string_view kSaveDialogTitle = u"Save Config File";

struct FileFilterEntry {
    std::u16string_view label;
    std::u16string_view pattern;
};

// Both dialogs offer these entries; the load dialog starts on the first.
inline constexpr std::array<FileFilterEntry, 2> kSettingsFileFilters{{
    {u"Config File(*.cfg)", u"*.cfg"},
    {u"*.*", u"*.*"},
}};

}  // namespace cdr
