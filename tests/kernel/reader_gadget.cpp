// The device side of a reader made as a USB gadget: prints the report descriptors the gadget's HID functions are
// given, and answers the output reports that reach a function's node /dev/hidgN with the virtual reader, so that
// the gadget answers exactly as the simulated reader does.
//
//   kernel_reader_gadget descriptor reader|keyboard|combined
//   kernel_reader_gadget serve NODE [--firmware X.YZ] [--typing] [--hold-file FILE]
//
// serve runs until it is killed. A pulled reader's node goes away and comes back with the replug: serve then
// opens it again, and the reader keeps its settings as a real one keeps them. --typing sends a key press before
// and a key release after every reply (the combined interface's keyboard, report ID 2). --hold-file: while FILE
// exists, the next output report is left unanswered and FILE is renamed FILE.held, so that the harness can pull
// the reader in the middle of a command. An output report of another length than the descriptor declares gets no answer
// and a line on standard error.
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "hid/linux/test_descriptors.h"
#include "hid/sim/virtual_reader.h"

namespace {

using cdr::hid::sim::VirtualReader;
namespace descriptors = cdr::hid::test;

// The command collection's reports, report ID included (see kReaderDescriptor).
constexpr std::size_t kCommandInputLength = 33;
constexpr std::size_t kCommandOutputLength = 25;
// The combined interface's key report: ID, modifier byte, a 256-key bitmap.
constexpr std::size_t kKeyReportLength = 34;
constexpr std::uint8_t kKeyA = 0x04;
constexpr int kPollMs = 200;
// Longest wait for the host to take an input report before it is given up.
constexpr int kWriteWaitMs = 5000;

struct Options {
    std::string node;
    VirtualReader::Version firmware{'1', '.', '0', '5'};
    bool typing = false;
    std::string holdFile;
};

int usage() {
    std::cerr << "usage: kernel_reader_gadget descriptor reader|keyboard|combined\n"
                 "       kernel_reader_gadget serve NODE [--firmware X.YZ] [--typing] [--hold-file FILE]\n";
    return 2;
}

int printDescriptor(std::string_view kind) {
    const std::vector<std::uint8_t>* descriptor = nullptr;
    if (kind == "reader") descriptor = &descriptors::kReaderDescriptor;
    if (kind == "keyboard") descriptor = &descriptors::kKeyboardDescriptor;
    if (kind == "combined") descriptor = &descriptors::kCombinedDescriptor;
    if (descriptor == nullptr) return usage();
    std::cout.write(reinterpret_cast<const char*>(descriptor->data()),
                    static_cast<std::streamsize>(descriptor->size()));
    return std::cout.flush() ? 0 : 1;
}

std::optional<Options> parseServe(int argc, char** argv) {
    if (argc < 3) return std::nullopt;
    Options options;
    options.node = argv[2];
    for (int i = 3; i < argc; ++i) {
        const std::string_view option = argv[i];
        if (option == "--typing") {
            options.typing = true;
        } else if (option == "--firmware" && i + 1 < argc && std::strlen(argv[i + 1]) == options.firmware.size()) {
            std::memcpy(options.firmware.data(), argv[++i], options.firmware.size());
        } else if (option == "--hold-file" && i + 1 < argc) {
            options.holdFile = argv[++i];
        } else {
            return std::nullopt;
        }
    }
    return options;
}

void complain(const Options& options, const std::string& text) {
    std::cerr << "kernel_reader_gadget " << options.node << ": " << text << std::endl;
}

bool nodePresent(const std::string& node) {
    struct stat status {};
    return stat(node.c_str(), &status) == 0;
}

// Opens the node, waiting for it while the gadget is not bound.
int openWhenPresent(const Options& options) {
    for (;;) {
        const int fd = open(options.node.c_str(), O_RDWR | O_CLOEXEC);
        if (fd >= 0) return fd;
        if (errno != ENOENT && errno != ENODEV && errno != ESHUTDOWN) complain(options, std::strerror(errno));
        poll(nullptr, 0, kPollMs);
    }
}

// Hands one input report to the host; false when the host did not take it in time or the node failed.
bool send(int fd, std::span<const std::uint8_t> report) {
    pollfd ready{fd, POLLOUT, 0};
    if (poll(&ready, 1, kWriteWaitMs) != 1 || (ready.revents & POLLOUT) == 0) return false;
    return write(fd, report.data(), report.size()) == static_cast<ssize_t>(report.size());
}

std::vector<std::uint8_t> keyReport(std::uint8_t key) {
    std::vector<std::uint8_t> report(kKeyReportLength, 0);
    report[0] = descriptors::kKeyReportId;
    if (key != 0) report[2 + key / 8] = static_cast<std::uint8_t>(1U << (key % 8));
    return report;
}

// Answers one output report; false when the node failed.
bool answer(int fd, const Options& options, VirtualReader& reader, std::span<const std::uint8_t> outputReport) {
    if (outputReport.size() != kCommandOutputLength) {
        complain(options, "output report of " + std::to_string(outputReport.size()) + " bytes, expected " +
                              std::to_string(kCommandOutputLength) + ": not answered");
        return true;
    }
    const std::vector<std::uint8_t> reply = reader.answer(outputReport);
    bool sent = !options.typing || send(fd, keyReport(kKeyA));
    sent = sent && send(fd, std::span(reply).first(kCommandInputLength));
    return sent && (!options.typing || send(fd, keyReport(0)));
}

// Serves one open node until it goes away (the reader was pulled).
void serve(int fd, const Options& options, VirtualReader& reader) {
    std::vector<std::uint8_t> report(64);
    for (;;) {
        pollfd ready{fd, POLLIN, 0};
        const int polled = poll(&ready, 1, kPollMs);
        if (polled == 0) {
            if (!nodePresent(options.node)) return;
            continue;
        }
        const ssize_t length = polled > 0 ? read(fd, report.data(), report.size()) : -1;
        if (length < 0) {
            if (errno != EINTR && errno != EAGAIN) return;
            continue;
        }
        if (!options.holdFile.empty() &&
            std::rename(options.holdFile.c_str(), (options.holdFile + ".held").c_str()) == 0) {
            continue;
        }
        if (!answer(fd, options, reader, std::span(report).first(static_cast<std::size_t>(length)))) return;
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string_view(argv[1]) == "descriptor") return printDescriptor(argv[2]);
    if (argc < 2 || std::string_view(argv[1]) != "serve") return usage();
    const std::optional<Options> options = parseServe(argc, argv);
    if (!options) return usage();
    VirtualReader reader(options->firmware);
    for (;;) {
        const int fd = openWhenPresent(*options);
        serve(fd, *options, reader);
        close(fd);
    }
}
