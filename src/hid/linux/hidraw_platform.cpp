#include "hid/linux/hidraw_platform.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstring>
#include <utility>

#include "hid/linux/hid_uevent.h"
#include "hid/linux/lock_holder.h"
#include "hid/linux/sysfs_file.h"
#include "hid/linux/sysfs_hid_device.h"

namespace cdr::hid {

namespace {

namespace fs = std::filesystem;

constexpr Handle kInvalidHandle = -1;
constexpr std::string_view kInterfacePrefix = "hidraw";
// Descriptors below this belong to the standard streams; 0 would not even count as an open handle.
constexpr int kFirstFreeDescriptor = 3;
// The largest report hidraw hands out in one read.
constexpr std::size_t kMaxReportBytes = 16384;
// Bounds the drain of a device that keeps sending on its own.
constexpr int kMaxDiscardedReports = 256;
// The detail record around a path: a 32-bit size field before it, a terminating zero after it.
constexpr std::uint32_t kDetailRecordOverhead = 5;

// The number N of an entry named hidrawN, or nothing for any other name.
std::optional<unsigned long> interfaceNumber(const std::string& name) {
    if (!name.starts_with(kInterfacePrefix)) {
        return std::nullopt;
    }
    const std::string digits = name.substr(kInterfacePrefix.size());
    const bool numeric = !digits.empty() && digits.size() <= 9 &&
                         std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; });
    return numeric ? std::optional(std::stoul(digits)) : std::nullopt;
}

// The hidraw entries of the class folder in numeric order (hidraw2 before hidraw10); none when it is missing.
std::vector<std::string> listInterfaces(const fs::path& root) {
    std::vector<std::pair<unsigned long, std::string>> found;
    std::error_code error;
    for (auto entry = fs::directory_iterator(root, error); !error && entry != fs::directory_iterator();
         entry.increment(error)) {
        std::string name = entry->path().filename().string();
        if (const auto number = interfaceNumber(name)) {
            found.emplace_back(*number, std::move(name));
        }
    }
    std::sort(found.begin(), found.end());
    std::vector<std::string> names;
    for (auto& [number, name] : found) {
        names.push_back(std::move(name));
    }
    return names;
}

int pollTimeout(std::chrono::steady_clock::time_point now, std::chrono::steady_clock::time_point deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - now).count();
    return static_cast<int>(std::clamp<long long>(left, 0, INT_MAX));
}

}  // namespace

HidrawPlatform::HidrawPlatform(fs::path sysfsRoot, fs::path deviceFolder, NodeOpener openNode, Clock clock)
    : sysfsRoot_(std::move(sysfsRoot)),
      deviceFolder_(std::move(deviceFolder)),
      openNode_(openNode ? std::move(openNode) : [](const char* path, int flags) { return ::open(path, flags); }),
      clock_(clock ? std::move(clock) : [] { return std::chrono::steady_clock::now(); }),
      scratch_(kMaxReportBytes) {}

HidrawPlatform::~HidrawPlatform() {
    for (const auto& [handle, device] : open_) {
        ::close(static_cast<int>(handle));
    }
}

std::string HidrawPlatform::devicePathOf(const std::string& interfaceName) const {
    return (deviceFolder_ / interfaceName).string();
}

const std::string* HidrawPlatform::interfaceAt(DeviceList list, const DeviceInterface& entry) const {
    const auto found = lists_.find(list);
    if (found == lists_.end() || entry.memberIndex >= found->second.size()) {
        return nullptr;
    }
    return &found->second[entry.memberIndex];
}

std::optional<ReportLayout> HidrawPlatform::readLayout(const std::string& interfaceName) const {
    return readReportDescriptor(sysfsRoot_ / interfaceName / "device" / "report_descriptor");
}

InterfaceClass HidrawPlatform::getHidGuid() { return InterfaceClass{}; }

DeviceList HidrawPlatform::getClassDevs(const InterfaceClass& /*hidClass*/) {
    const DeviceList list = nextValue_++;
    lists_[list] = listInterfaces(sysfsRoot_);
    return list;
}

bool HidrawPlatform::enumDeviceInterfaces(DeviceList list, const InterfaceClass& /*hidClass*/,
                                          std::uint32_t memberIndex, DeviceInterface& entry) {
    DeviceInterface candidate;
    candidate.memberIndex = memberIndex;
    if (interfaceAt(list, candidate) == nullptr) {
        return false;
    }
    entry = candidate;
    return true;
}

std::uint32_t HidrawPlatform::getInterfaceDetailSize(DeviceList list, const DeviceInterface& entry) {
    const std::string* name = interfaceAt(list, entry);
    return name == nullptr ? 0 : static_cast<std::uint32_t>(devicePathOf(*name).size()) + kDetailRecordOverhead;
}

std::string HidrawPlatform::getInterfaceDevicePath(DeviceList list, const DeviceInterface& entry,
                                                   std::uint32_t /*requiredSize*/) {
    const std::string* name = interfaceAt(list, entry);
    return name == nullptr ? std::string{} : devicePathOf(*name);
}

void HidrawPlatform::destroyDeviceInfoList(DeviceList list) { lists_.erase(list); }

Handle HidrawPlatform::createFile(const std::string& path, bool overlapped) {
    // Bounded reads poll first and must never block in read itself.
    const int flags = O_RDWR | O_CLOEXEC | O_NOCTTY | (overlapped ? O_NONBLOCK : 0);
    int fd = openNode_(path.c_str(), flags);
    noteResult(fd < 0);
    if (fd < 0) {
        return kInvalidHandle;
    }
    if (fd < kFirstFreeDescriptor) {
        // With a standard stream closed the device could land on its number; move it out of the way.
        const int moved = ::fcntl(fd, F_DUPFD_CLOEXEC, kFirstFreeDescriptor);
        noteResult(moved < 0);
        ::close(fd);
        if (moved < 0) {
            return kInvalidHandle;
        }
        fd = moved;
    }
    OpenDevice device;
    device.interfaceName = fs::path(path).filename().string();
    if (const auto layout = readLayout(device.interfaceName)) {
        if (layout->onlyKeyboardsAndMice) {
            // Only a keyboard, keypad or mouse: the system's, so not for this program, as if access were denied.
            ::close(fd);
            errno = EACCES;
            noteResult(true);
            return kInvalidHandle;
        }
        device.numberedReports = layout->usesReportIds;
        device.droppedInputReportIds = layout->keyboardAndMouseInputReportIds;
    }
    open_[fd] = std::move(device);
    return fd;
}

std::optional<DeviceAttributes> HidrawPlatform::identityOfInterface(const std::string& interfaceName) const {
    const auto uevent = readSysfsFile(sysfsRoot_ / interfaceName / "device" / "uevent");
    return uevent ? parseHidUevent(*uevent) : std::nullopt;
}

bool HidrawPlatform::identityOf(const std::string& path, DeviceAttributes& attributes) {
    const auto identity = identityOfInterface(fs::path(path).filename().string());
    if (!identity) {
        return false;
    }
    attributes = *identity;
    return true;
}

std::optional<UnopenedDevice> HidrawPlatform::lookBeforeOpening(const std::string& path) {
    return describeSysfsHidDevice(sysfsRoot_ / fs::path(path).filename() / "device");
}

bool HidrawPlatform::claim(Handle device) {
    if (!open_.contains(device)) {
        return false;
    }
    const int fd = static_cast<int>(device);
    int result = 0;
    do {
        result = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    if (result == 0 || errno != EWOULDBLOCK) {
        // A node that cannot be locked at all (no lock support) is written unguarded rather than refused.
        noteResult(false);
        return true;
    }
    lastError_ = SystemError{
        EBUSY, std::string(std::strerror(EBUSY)) + ": in use by " + flockHolder(fd).value_or("another program")};
    return false;
}

std::optional<std::string> HidrawPlatform::lockHolder(Handle device) {
    return open_.contains(device) ? flockHolder(static_cast<int>(device)) : std::nullopt;
}

void HidrawPlatform::noteResult(bool failed) {
    lastError_ = failed ? SystemError{errno, std::strerror(errno)} : SystemError{};
}

bool HidrawPlatform::getAttributes(Handle device, DeviceAttributes& attributes) {
    const auto found = open_.find(device);
    if (found == open_.end()) {
        return false;
    }
    const auto identity = identityOfInterface(found->second.interfaceName);
    if (!identity) {
        return false;
    }
    attributes = *identity;
    return true;
}

PreparsedData HidrawPlatform::getPreparsedData(Handle device) {
    const auto found = open_.find(device);
    const auto layout = found == open_.end() ? std::nullopt : readLayout(found->second.interfaceName);
    if (!layout) {
        return 0;
    }
    const PreparsedData data = nextValue_++;
    preparsed_[data] = *layout;
    return data;
}

Capabilities HidrawPlatform::getCaps(PreparsedData data) {
    const auto found = preparsed_.find(data);
    if (found == preparsed_.end()) {
        return Capabilities{};
    }
    return Capabilities{found->second.inputReportByteLength, found->second.outputReportByteLength};
}

void HidrawPlatform::freePreparsedData(PreparsedData data) { preparsed_.erase(data); }

void HidrawPlatform::closeHandle(Handle handle) {
    const auto found = open_.find(handle);
    if (found == open_.end()) {
        return;
    }
    events_.cancel(handle);
    ::close(static_cast<int>(handle));
    open_.erase(found);
}

Event HidrawPlatform::createEvent() {
    const Event event = nextValue_++;
    events_.create(event);
    return event;
}

void HidrawPlatform::resetEvent(Event event) { events_.reset(event); }

void HidrawPlatform::writeFile(Handle device, std::span<const std::uint8_t> report) {
    const auto found = open_.find(device);
    if (found == open_.end() || report.empty()) {
        return;
    }
    std::vector<std::uint8_t> bytes(report.begin(), report.end());
    if (!found->second.numberedReports) {
        bytes[0] = 0;
    }
    ssize_t written = 0;
    do {
        written = ::write(static_cast<int>(device), bytes.data(), bytes.size());
    } while (written < 0 && errno == EINTR);
    noteResult(written < 0);
}

void HidrawPlatform::discardPendingInput(Handle readHandle) {
    if (!open_.contains(readHandle)) {
        return;
    }
    const int fd = static_cast<int>(readHandle);
    for (int report = 0; report < kMaxDiscardedReports; ++report) {
        pollfd ready{fd, POLLIN, 0};
        if (::poll(&ready, 1, 0) <= 0 || (ready.revents & POLLIN) == 0 || readOneReport(fd) <= 0) {
            return;
        }
    }
}

void HidrawPlatform::readFile(Handle readHandle, std::span<std::uint8_t> buffer, Event completion) {
    events_.start(completion, open_.contains(readHandle) ? std::optional(readHandle) : std::nullopt, buffer);
}

WaitResult HidrawPlatform::waitForSingleObject(Event completion, std::uint32_t timeoutMs) {
    if (!events_.exists(completion)) {
        return WaitResult::Failed;
    }
    const ReadCompletionEvents::StartedRead* read = events_.startedRead(completion);
    if (read == nullptr) {
        // No read to wait for: nothing can signal the event any more.
        return events_.isSignalled(completion) ? WaitResult::Arrived : WaitResult::TimedOut;
    }
    // Closing a handle cancels its reads, so a started read always has its device.
    const OpenDevice& device = open_.at(read->handle);
    const int fd = static_cast<int>(read->handle);
    // One deadline for the whole wait, however many reports are passed over on the way.
    const auto deadline = clock_() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        pollfd ready{fd, POLLIN, 0};
        const int count = ::poll(&ready, 1, pollTimeout(clock_(), deadline));
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count < 0) {
            noteResult(true);
            return WaitResult::Failed;
        }
        if (count == 0) {
            noteResult(false);
            return WaitResult::TimedOut;
        }
        // A device that went away or broke reports a hang-up or an error, not a report; poll sets no errno for
        // them, so the error kept is the one a read would give.
        if ((ready.revents & (POLLERR | POLLHUP | POLLNVAL)) != 0) {
            errno = (ready.revents & POLLNVAL) != 0 ? EBADF : (ready.revents & POLLHUP) != 0 ? ENODEV : EIO;
            noteResult(true);
            return WaitResult::Failed;
        }
        const long length = readOneReport(fd);
        if (length >= 0 && isDropped(device, length)) {
            // A key stroke or mouse movement is never the answer; wait on for the rest of the time, which a
            // stream of them must not stretch.
            if (clock_() >= deadline) {
                noteResult(false);
                return WaitResult::TimedOut;
            }
            continue;
        }
        if (length >= 0) {
            deliver(device, length, read->buffer);
            events_.complete(completion);
            noteResult(false);
            return WaitResult::Arrived;
        }
        if (errno != EAGAIN && errno != EWOULDBLOCK) {
            noteResult(true);
            return WaitResult::Failed;
        }
    }
}

void HidrawPlatform::cancelIo(Handle readHandle) { events_.cancel(readHandle); }

long HidrawPlatform::readOneReport(int fd) {
    ssize_t length = 0;
    do {
        length = ::read(fd, scratch_.data(), scratch_.size());
    } while (length < 0 && errno == EINTR);
    return static_cast<long>(length);
}

bool HidrawPlatform::isDropped(const OpenDevice& device, long length) const {
    if (device.droppedInputReportIds.empty()) {
        return false;
    }
    if (!device.numberedReports) {
        return device.droppedInputReportIds.contains(0);
    }
    return length > 0 && device.droppedInputReportIds.contains(scratch_[0]);
}

void HidrawPlatform::deliver(const OpenDevice& device, long length, std::span<std::uint8_t> buffer) const {
    const auto report = std::span(scratch_).first(static_cast<std::size_t>(length));
    if (device.numberedReports) {
        std::copy_n(report.begin(), std::min(report.size(), buffer.size()), buffer.begin());
    } else if (!buffer.empty()) {
        // hidraw leaves out the report ID of unnumbered reports; the caller expects it in byte 0.
        buffer[0] = 0;
        std::copy_n(report.begin(), std::min(report.size(), buffer.size() - 1), buffer.begin() + 1);
    }
}

}  // namespace cdr::hid
