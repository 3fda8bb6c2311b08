#include "hid/sim/sim_hid_platform.h"

#include <algorithm>

namespace cdr::hid::sim {

namespace {

// What a failed open returns, as on the system platform.
constexpr Handle kInvalidHandle = -1;
// What the system says about a path with no device behind it.
const SystemError kNoSuchFile{2, "No such file or directory"};
// What the system says about a device that went away while open.
const SystemError kDeviceGone{19, "No such device"};
// What it says about a device that fails a transfer while present.
const SystemError kTransferFailed{5, "Input/output error"};
// The detail record around a path: a 32-bit size field before it, a terminating zero after it.
constexpr std::uint32_t kDetailRecordOverhead = 5;

}  // namespace

std::size_t SimHidPlatform::addDevice(VirtualDevice device) {
    devices_.push_back(DeviceState{std::move(device), {}, 0, {}});
    return devices_.size() - 1;
}

void SimHidPlatform::unplug(std::size_t device) { devices_.at(device).plugged = false; }

void SimHidPlatform::plug(std::size_t device) { devices_.at(device).plugged = true; }

void SimHidPlatform::queueInputReport(std::size_t device, std::vector<std::uint8_t> report) {
    devices_.at(device).inputQueue.push_back(std::move(report));
}

int SimHidPlatform::openAttempts(std::size_t device) const { return devices_.at(device).openAttempts; }

std::vector<Handle> SimHidPlatform::handlesOf(std::size_t device) const { return devices_.at(device).handles; }

int SimHidPlatform::closeCount(Handle handle) const {
    const auto found = handles_.find(handle);
    return found == handles_.end() ? 0 : found->second.closes;
}

bool SimHidPlatform::openedOverlapped(Handle handle) const {
    const auto found = handles_.find(handle);
    return found != handles_.end() && found->second.overlapped;
}

std::vector<Handle> SimHidPlatform::openHandles() const {
    std::vector<Handle> open;
    for (const auto& [handle, state] : handles_) {
        if (state.closes == 0) {
            open.push_back(handle);
        }
    }
    return open;
}

InterfaceClass SimHidPlatform::getHidGuid() { return InterfaceClass{}; }

DeviceList SimHidPlatform::getClassDevs(const InterfaceClass& /*hidClass*/) {
    ++classDevsCalls_;
    std::vector<std::size_t> members;
    for (std::size_t index = 0; index < devices_.size(); ++index) {
        if (devices_[index].plugged) {
            members.push_back(index);
        }
    }
    const DeviceList list = nextValue();
    lists_[list] = std::move(members);
    return list;
}

bool SimHidPlatform::enumDeviceInterfaces(DeviceList list, const InterfaceClass& /*hidClass*/,
                                          std::uint32_t memberIndex, DeviceInterface& entry) {
    const auto found = lists_.find(list);
    if (found == lists_.end() || memberIndex >= found->second.size()) {
        return false;
    }
    entry.memberIndex = memberIndex;
    return true;
}

const SimHidPlatform::DeviceState* SimHidPlatform::deviceAt(DeviceList list, const DeviceInterface& entry) const {
    const auto found = lists_.find(list);
    if (found == lists_.end() || entry.memberIndex >= found->second.size()) {
        return nullptr;
    }
    return &devices_[found->second[entry.memberIndex]];
}

std::uint32_t SimHidPlatform::getInterfaceDetailSize(DeviceList list, const DeviceInterface& entry) {
    const DeviceState* device = deviceAt(list, entry);
    const std::uint32_t size =
        device == nullptr ? 0
                          : device->script.detailSize.value_or(static_cast<std::uint32_t>(device->script.path.size()) +
                                                               kDetailRecordOverhead);
    detailSizesReported_.push_back(size);
    return size;
}

std::string SimHidPlatform::getInterfaceDevicePath(DeviceList list, const DeviceInterface& entry,
                                                   std::uint32_t /*requiredSize*/) {
    const DeviceState* device = deviceAt(list, entry);
    return device == nullptr ? std::string{} : device->script.path;
}

void SimHidPlatform::destroyDeviceInfoList(DeviceList list) { lists_.erase(list); }

SimHidPlatform::DeviceState* SimHidPlatform::pluggedDeviceAt(const std::string& path) {
    const auto device = std::find_if(devices_.begin(), devices_.end(), [&path](const DeviceState& state) {
        return state.plugged && state.script.path == path;
    });
    return device == devices_.end() ? nullptr : &*device;
}

Handle SimHidPlatform::createFile(const std::string& path, bool overlapped) {
    DeviceState* device = pluggedDeviceAt(path);
    if (device == nullptr) {
        lastError_ = kNoSuchFile;
        return kInvalidHandle;
    }
    ++device->openAttempts;
    const auto& granted = device->script.opensGranted;
    if (device->script.refusesOpen || (granted && static_cast<int>(device->handles.size()) >= *granted)) {
        lastError_ = device->script.refusal;
        return kInvalidHandle;
    }
    lastError_ = {};
    const Handle handle = nextValue();
    handles_[handle] = HandleState{static_cast<std::size_t>(device - devices_.data()), 0, overlapped};
    device->handles.push_back(handle);
    return handle;
}

bool SimHidPlatform::identityOf(const std::string& path, DeviceAttributes& attributes) {
    const DeviceState* device = pluggedDeviceAt(path);
    if (device == nullptr) {
        return false;
    }
    attributes = device->script.identity;
    return true;
}

std::optional<UnopenedDevice> SimHidPlatform::lookBeforeOpening(const std::string& path) {
    const DeviceState* device = describesUnopened_ ? pluggedDeviceAt(path) : nullptr;
    if (device == nullptr) {
        return std::nullopt;
    }
    return UnopenedDevice{device->script.identity, device->script.onlyKeyboardsAndMice};
}

std::optional<std::size_t> SimHidPlatform::deviceIndexOf(Handle handle) {
    const auto found = handles_.find(handle);
    if (found == handles_.end() || found->second.closes > 0) {
        // A value that was handed out and closed, or one that never was a device handle, is a stale use; a
        // failed open's value is merely not open.
        if (isOpen(handle)) {
            ++staleHandleUses_;
        }
        return std::nullopt;
    }
    return found->second.device;
}

bool SimHidPlatform::getAttributes(Handle device, DeviceAttributes& attributes) {
    const auto index = deviceIndexOf(device);
    if (!index) {
        return false;
    }
    attributes = devices_[*index].script.identity;
    return true;
}

PreparsedData SimHidPlatform::getPreparsedData(Handle device) {
    const auto index = deviceIndexOf(device);
    if (!index) {
        return 0;
    }
    const PreparsedData data = nextValue();
    preparsed_[data] = *index;
    return data;
}

Capabilities SimHidPlatform::getCaps(PreparsedData data) {
    const auto found = preparsed_.find(data);
    return found == preparsed_.end() ? Capabilities{} : devices_[found->second].script.capabilities;
}

void SimHidPlatform::freePreparsedData(PreparsedData data) { preparsed_.erase(data); }

void SimHidPlatform::closeHandle(Handle handle) {
    if (!deviceIndexOf(handle)) {
        return;
    }
    ++handles_[handle].closes;
    events_.cancel(handle);
}

Event SimHidPlatform::createEvent() {
    const Event event = nextValue();
    events_.create(event);
    ++createdEvents_;
    return event;
}

void SimHidPlatform::resetEvent(Event event) { events_.reset(event); }

void SimHidPlatform::writeFile(Handle device, std::span<const std::uint8_t> report) {
    const auto index = deviceIndexOf(device);
    if (!index) {
        return;
    }
    DeviceState& state = devices_[*index];
    if (!state.plugged || state.script.writeError) {
        lastError_ = state.plugged ? *state.script.writeError : kDeviceGone;
        return;
    }
    lastError_ = {};
    written_.push_back(WrittenReport{*index, device, {report.begin(), report.end()}});
    if (state.script.responder) {
        if (auto answer = state.script.responder(report)) {
            state.inputQueue.push_back(std::move(*answer));
        }
    }
}

void SimHidPlatform::discardPendingInput(Handle readHandle) {
    if (const auto index = deviceIndexOf(readHandle)) {
        devices_[*index].inputQueue.clear();
    }
}

void SimHidPlatform::readFile(Handle readHandle, std::span<std::uint8_t> buffer, Event completion) {
    const bool usable = deviceIndexOf(readHandle).has_value();
    events_.start(completion, usable ? std::optional<Handle>(readHandle) : std::nullopt, buffer);
}

WaitResult SimHidPlatform::waitForSingleObject(Event completion, std::uint32_t timeoutMs) {
    timeoutsAsked_.push_back(timeoutMs);
    if (!events_.exists(completion)) {
        return WaitResult::Failed;
    }
    const ReadCompletionEvents::StartedRead* read = events_.startedRead(completion);
    if (read == nullptr) {
        return events_.isSignalled(completion) ? WaitResult::Arrived : WaitResult::TimedOut;
    }
    DeviceState& device = devices_[handles_[read->handle].device];
    if (device.script.waitFails || !device.plugged) {
        lastError_ = device.plugged ? kTransferFailed : kDeviceGone;
        return WaitResult::Failed;
    }
    lastError_ = {};
    if (device.inputQueue.empty()) {
        return WaitResult::TimedOut;
    }
    const std::vector<std::uint8_t>& report = device.inputQueue.front();
    std::copy_n(report.begin(), std::min(report.size(), read->buffer.size()), read->buffer.begin());
    device.inputQueue.pop_front();
    events_.complete(completion);
    return WaitResult::Arrived;
}

void SimHidPlatform::cancelIo(Handle readHandle) {
    if (deviceIndexOf(readHandle)) {
        events_.cancel(readHandle);
    }
}

}  // namespace cdr::hid::sim
