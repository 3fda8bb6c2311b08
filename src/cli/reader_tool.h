#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/exit_status.h"
#include "cli/reader_arrivals.h"
#include "cli/tool_output.h"
#include "hid/call_log.h"
#include "hid/hid_link.h"
#include "protocol/settings_block.h"
#include "reader/reader_session.h"

namespace cdr::cli {

// Which readers a command talks to: one by path, all present, or the only one present.
struct ReaderChoice {
    std::optional<std::string> device;
    bool all = false;
};

// The commands of the tool over one HID platform. Results and messages go to the output, as text or JSON.
class ReaderTool : private hid::LinkObserver {
public:
    ReaderTool(hid::HidPlatform& platform, ToolOutput& output);

    // The link the tool talks through, for arrivals that list readers.
    hid::HidLink& link() { return link_; }

    ExitStatus list();
    ExitStatus version(const ReaderChoice& choice);
    // The settings on standard output, or into outputFile (replaced in one step).
    ExitStatus read(const ReaderChoice& choice, const std::optional<std::string>& outputFile);
    // Writes the settings, reads them back and compares.
    ExitStatus write(const ReaderSettings& settings, const ReaderChoice& choice);
    ExitStatus factory(const ReaderChoice& choice);
    // Writes and checks each reader as it arrives, until the arrivals end; then the summary.
    ExitStatus provision(const ReaderSettings& settings, ReaderArrivals& arrivals);

private:
    void afterPlatformCall(std::string_view) override {}
    void keepLogOnLastLine() override {}
    void showStatus(std::string_view) override {}

    // The readers a command talks to, or the exit status when there are none it may talk to.
    std::optional<std::vector<hid::ReaderEntry>> chooseReaders(const ReaderChoice& choice, ExitStatus& refusal);
    // Opens a reader and runs the handshake; says why not on err.
    bool connect(const hid::ReaderEntry& reader);
    // The block for the settings, or nothing when a sentinel cannot be sent (said on the output).
    std::optional<SettingsBlock> blockOf(const ReaderSettings& settings);
    // Writes one block to each reader and checks it, one result line each.
    ExitStatus writeEach(const SettingsBlock& block, const std::vector<hid::ReaderEntry>& readers);
    // "written and checked" or why not.
    std::string writeAndCheck(const SettingsBlock& block, const hid::ReaderEntry& reader, bool& ok);
    // Why a command failed: the reply was not understood (Accepted), did not fit, did not come, or was refused.
    std::string failureText(ExchangeResult result);
    void cannotOpen(const std::string& path, const hid::SystemError& reason);

    hid::HidLink link_;
    ReaderSession session_{link_};
    ToolOutput& output_;
};

}  // namespace cdr::cli
