#include "hid/windows/overlapped_read.h"

namespace cdr::hid {

OverlappedRead::~OverlappedRead() { settle(); }

DWORD OverlappedRead::start(HANDLE device, std::span<std::uint8_t> buffer, HANDLE completion) {
    settle();
    overlapped_ = OVERLAPPED{};
    overlapped_.hEvent = completion;
    completion_ = completion;
    const BOOL done = ReadFile(device, buffer.data(), static_cast<DWORD>(buffer.size()), nullptr, &overlapped_);
    const DWORD error = done ? ERROR_SUCCESS : GetLastError();
    // A read that completed at once has signalled its event like a pending one will: both are finished alike.
    startError_ = error == ERROR_IO_PENDING ? ERROR_SUCCESS : error;
    if (startError_ == ERROR_SUCCESS) device_ = device;
    return startError_;
}

DWORD OverlappedRead::startError(HANDLE completion) const {
    return completion == completion_ ? startError_ : ERROR_SUCCESS;
}

DWORD OverlappedRead::finish(HANDLE completion) {
    if (device_ == nullptr || completion != completion_) return ERROR_SUCCESS;
    DWORD transferred = 0;
    if (GetOverlappedResult(device_, &overlapped_, &transferred, FALSE)) {
        device_ = nullptr;
        return ERROR_SUCCESS;
    }
    const DWORD error = GetLastError();
    // Signalled by someone else while the read goes on: the read stays outstanding, to be settled later.
    if (error != ERROR_IO_INCOMPLETE) device_ = nullptr;
    return error;
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
