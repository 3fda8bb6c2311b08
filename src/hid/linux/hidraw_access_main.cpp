// Decides for udev whether the user may have a hidraw node of the reader: only when its report descriptor
// declares a top-level collection other than a keyboard, keypad or mouse with an output report of its own, as
// the command collection this program uses has. A node that is only the reader's keyboard stays closed to the
// user's programs, which could otherwise read every card swiped, whatever window has the focus.
//
// Usage: cdr55p4w-hidraw-access REPORT_DESCRIPTOR_FILE
// Exit status: 0 grant, 1 no such collection (an empty descriptor included), 2 the descriptor could not be read
// or parsed.
#include <cstdio>

#include "hid/linux/report_descriptor.h"

namespace {

constexpr int kGrant = 0;
constexpr int kNoCommandCollection = 1;
constexpr int kUnreadable = 2;

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: cdr55p4w-hidraw-access REPORT_DESCRIPTOR_FILE\n", stderr);
        return kUnreadable;
    }
    const auto layout = cdr::hid::readReportDescriptor(argv[1]);
    if (!layout) {
        std::fprintf(stderr, "cdr55p4w-hidraw-access: cannot read a report descriptor from %s\n", argv[1]);
        return kUnreadable;
    }
    return layout->hasCommandCollection ? kGrant : kNoCommandCollection;
}
