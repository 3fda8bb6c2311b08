#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "hid/call_log.h"

namespace cdr::hid::test {

// Records what the link tells its owner, in order: labels as they are, the other two kinds with a prefix.
class RecordingObserver final : public LinkObserver {
public:
    static constexpr std::string_view kKeepLog = "<keep log on last line>";
    static constexpr std::string_view kStatusPrefix = "status: ";

    void afterPlatformCall(std::string_view label) override { calls.emplace_back(label); }
    void keepLogOnLastLine() override { calls.emplace_back(kKeepLog); }
    void showStatus(std::string_view text) override {
        calls.push_back(std::string(kStatusPrefix) + std::string(text));
        lastStatus = text;
    }

    std::vector<std::string> calls;
    std::string lastStatus;
};

}  // namespace cdr::hid::test
