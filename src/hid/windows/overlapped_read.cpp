#include "hid/windows/overlapped_read.h"

namespace cdr::hid {

OverlappedRead::~OverlappedRead() { settle(); }

void OverlappedRead::start(HANDLE device, std::span<std::uint8_t> buffer, HANDLE completion) {
    settle();
    overlapped_ = OVERLAPPED{};
    overlapped_.hEvent = completion;
    const BOOL started = ReadFile(device, buffer.data(), static_cast<DWORD>(buffer.size()), nullptr, &overlapped_);
    if (!started && GetLastError() == ERROR_IO_PENDING) device_ = device;
}

bool OverlappedRead::isPendingOn(HANDLE device) const { return device_ != nullptr && device_ == device; }

void OverlappedRead::settle() {
    if (device_ == nullptr) return;
    if (!HasOverlappedIoCompleted(&overlapped_)) {
        CancelIo(device_);
        DWORD transferred = 0;
        GetOverlappedResult(device_, &overlapped_, &transferred, TRUE);
    }
    device_ = nullptr;
}

}  // namespace cdr::hid
