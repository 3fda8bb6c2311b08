#include "hid/linux/sysfs_hid_device.h"

#include "hid/linux/hid_uevent.h"
#include "hid/linux/report_descriptor.h"
#include "hid/linux/sysfs_file.h"

namespace cdr::hid {

std::optional<UnopenedDevice> describeSysfsHidDevice(const std::filesystem::path& hidDeviceFolder) {
    const auto uevent = readSysfsFile(hidDeviceFolder / "uevent");
    const auto identity = uevent ? parseHidUevent(*uevent) : std::nullopt;
    if (!identity) {
        return std::nullopt;
    }
    const auto layout = readReportDescriptor(hidDeviceFolder / "report_descriptor");
    return UnopenedDevice{*identity, layout && layout->onlyKeyboardsAndMice};
}

}  // namespace cdr::hid
