#include "support/sample_settings.h"

namespace cdr::test {

ReaderSettings mixedSettings() {
    ReaderSettings settings;
    settings.trackEnabled = {kChecked, kChecked, kUnchecked};
    settings.formatOption = {false, true};
    settings.startSentinelEnabled = kChecked;
    settings.startSentinel = {u"%", u";", u""};
    settings.endSentinelEnabled = kChecked;
    settings.endSentinel = {u"?", u"?", u""};
    settings.enterOption = {false, false, true};
    return settings;
}

ReaderSettings nonFactorySettings() {
    ReaderSettings settings;
    settings.trackEnabled = {kUnchecked, kGrayed, kChecked};
    settings.formatOption = {false, true};
    settings.startSentinelEnabled = kUnchecked;
    settings.startSentinel = {u"%", u";", u""};
    settings.endSentinelEnabled = kGrayed;
    settings.endSentinel = {u"?", u"", u"\u00e9"};
    settings.enterOption = {false, false, false};
    return settings;
}

}  // namespace cdr::test
