#pragma once

#include "settings/reader_settings.h"

namespace cdr::bench {

// Settings that exercise every field: a grayed track, AAMVA, start and end sentinels, Enter after card data.
inline ReaderSettings busySettings() {
    ReaderSettings settings;
    settings.trackEnabled = {kChecked, kUnchecked, kGrayed};
    settings.formatOption = {false, true};
    settings.startSentinelEnabled = kChecked;
    settings.startSentinel = {u"%", u";", u"+"};
    settings.endSentinelEnabled = kChecked;
    settings.endSentinel = {u"?", u"?", u""};
    settings.enterOption = {false, false, true};
    return settings;
}

}  // namespace cdr::bench
