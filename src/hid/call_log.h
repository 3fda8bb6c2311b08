#pragma once

#include <string_view>

namespace cdr::hid {

// What the HID link tells its owner: every platform call's fixed label right after the call, the points where a
// read keeps the call log on its last line, and the status texts of discovery.
class LinkObserver {
public:
    virtual ~LinkObserver() = default;
    virtual void afterPlatformCall(std::string_view label) = 0;
    virtual void keepLogOnLastLine() = 0;
    virtual void showStatus(std::string_view text) = 0;
};

}  // namespace cdr::hid
