#pragma once

#include <windows.h>

#include <cstdint>
#include <span>

namespace cdr::hid {

// The one overlapped read of the HID link. Its OVERLAPPED record lives here, so the record stays valid for as long
// as the read is pending, and a read that may still be pending is settled (cancelled, and its cancellation
// awaited) before the record is reused, before its handle is closed and before this object goes away. Once
// settled, the read no longer writes its buffer.
class OverlappedRead {
public:
    OverlappedRead() = default;
    ~OverlappedRead();
    OverlappedRead(const OverlappedRead&) = delete;
    OverlappedRead& operator=(const OverlappedRead&) = delete;

    // Starts reading buffer.size() bytes from device; the read signals completion when it ends. Returns ReadFile's
    // error when the read could not even start, else ERROR_SUCCESS.
    DWORD start(HANDLE device, std::span<std::uint8_t> buffer, HANDLE completion);
    // Why the last read signalling completion failed to start (ERROR_SUCCESS when it started, or is another's):
    // such a read never signals, so there is nothing to wait for.
    DWORD startError(HANDLE completion) const;
    // Once completion was signalled: the read's own outcome, ERROR_SUCCESS when it delivered its report, else the
    // system's reason (for instance ERROR_DEVICE_NOT_CONNECTED when the device was pulled out). ERROR_SUCCESS when
    // no read of this event is outstanding.
    DWORD finish(HANDLE completion);
    // True while a read started on device may not have ended.
    bool isPendingOn(HANDLE device) const;
    // Cancels the read if it has not ended and waits until the cancellation has taken effect.
    void settle();

private:
    OVERLAPPED overlapped_{};
    HANDLE device_ = nullptr;      // the handle of the last started read until it is finished or settled
    HANDLE completion_ = nullptr;  // the event of the last started read
    DWORD startError_ = ERROR_SUCCESS;
};

}  // namespace cdr::hid
