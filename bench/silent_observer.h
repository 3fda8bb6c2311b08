#pragma once

#include <string_view>

#include "hid/call_log.h"

namespace cdr::bench {

// An owner of the link that does nothing with what it is told, so that only the link's own cost is measured.
class SilentObserver final : public hid::LinkObserver {
public:
    void afterPlatformCall(std::string_view /*label*/) override {}
    void keepLogOnLastLine() override {}
    void showStatus(std::string_view /*text*/) override {}
};

}  // namespace cdr::bench
