#pragma once

#include <string_view>

#include "settings/reader_settings.h"

namespace cdr::test {

// The settings file that holds the factory settings, byte for byte.
inline constexpr std::string_view kFactorySettingsFile =
    "1\r\n1\r\n1\r\n0\r\n\r\n\r\n\r\n0\r\n\r\n\r\n\r\nTrue\r\nFalse\r\nFalse\r\nTrue\r\nFalse\r\n";

// Tracks 1 and 2 on, track 3 off; start sentinels "%", ";", none; end sentinels "?", "?", none; Enter after the
// card data; AAMVA.
ReaderSettings mixedSettings();

// Not the factory values in any field, so that a load that changed anything shows.
ReaderSettings nonFactorySettings();

}  // namespace cdr::test
