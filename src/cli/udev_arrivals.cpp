#include "cli/udev_arrivals.h"

#include <libudev.h>
#include <poll.h>
#include <unistd.h>

#include <string_view>

#include "cli/interrupt.h"
#include "hid/hid_link.h"
#include "hid/linux/sysfs_hid_device.h"

namespace cdr::cli {

namespace {

constexpr int kPollStepMs = 200;
// How long an added node may stay out of reach while its access rule is applied.
constexpr int kAccessGraceSteps = 15;

void waitForAccess(const std::string& node) {
    for (int step = 0; step < kAccessGraceSteps && !interrupted(); ++step) {
        if (::access(node.c_str(), R_OK | W_OK) == 0) return;
        ::poll(nullptr, 0, kPollStepMs);
    }
}

// Whether a hidraw node is a reader's command interface: its HID device described as the platform describes it.
bool isReader(udev_device* node) {
    udev_device* hidDevice = udev_device_get_parent_with_subsystem_devtype(node, "hid", nullptr);
    const char* folder = hidDevice != nullptr ? udev_device_get_syspath(hidDevice) : nullptr;
    const auto seen = folder != nullptr ? hid::describeSysfsHidDevice(folder) : std::nullopt;
    return seen && !seen->onlyKeyboardsAndMice && seen->identity.vendorId == hid::READER_VENDOR_ID &&
           seen->identity.productId == hid::READER_PRODUCT_ID;
}

}  // namespace

UdevArrivals::UdevArrivals() : udev_(udev_new()) {
    if (udev_ == nullptr) return;
    monitor_ = udev_monitor_new_from_netlink(udev_, "udev");
    if (monitor_ != nullptr && (udev_monitor_filter_add_match_subsystem_devtype(monitor_, "hidraw", nullptr) < 0 ||
                                udev_monitor_enable_receiving(monitor_) < 0)) {
        udev_monitor_unref(monitor_);
        monitor_ = nullptr;
    }
    // Listed after the monitor is receiving, so that no reader falls between the two.
    if (monitor_ != nullptr) queuePresentReaders();
}

void UdevArrivals::queuePresentReaders() {
    udev_enumerate* enumerate = udev_enumerate_new(udev_);
    if (enumerate == nullptr) return;
    if (udev_enumerate_add_match_subsystem(enumerate, "hidraw") >= 0 && udev_enumerate_scan_devices(enumerate) >= 0) {
        udev_list_entry* entry = nullptr;
        udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(enumerate)) {
            udev_device* device = udev_device_new_from_syspath(udev_, udev_list_entry_get_name(entry));
            if (device == nullptr) continue;
            const char* node = udev_device_get_devnode(device);
            if (node != nullptr && isReader(device)) present_.emplace_back(node);
            udev_device_unref(device);
        }
    }
    udev_enumerate_unref(enumerate);
}

UdevArrivals::~UdevArrivals() {
    if (monitor_ != nullptr) udev_monitor_unref(monitor_);
    if (udev_ != nullptr) udev_unref(udev_);
}

std::optional<std::string> UdevArrivals::nextReader() {
    if (!present_.empty() && !interrupted()) {
        std::string reader = std::move(present_.front());
        present_.pop_front();
        return reader;
    }
    while (monitor_ != nullptr && !interrupted()) {
        pollfd ready{udev_monitor_get_fd(monitor_), POLLIN, 0};
        if (::poll(&ready, 1, kPollStepMs) <= 0) continue;
        udev_device* device = udev_monitor_receive_device(monitor_);
        if (device == nullptr) continue;
        const char* action = udev_device_get_action(device);
        const char* node = udev_device_get_devnode(device);
        std::optional<std::string> added;
        if (action != nullptr && node != nullptr && std::string_view(action) == "add" && isReader(device)) {
            added = node;
        }
        udev_device_unref(device);
        if (added) {
            waitForAccess(*added);
            return added;
        }
    }
    return std::nullopt;
}

}  // namespace cdr::cli
