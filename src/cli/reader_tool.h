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
    // Writes and checks each reader as it arrives (those already present first, unless onlyNew), until the
    // arrivals end or SIGINT, SIGTERM or SIGHUP asks to stop, which ends it after the reader in hand; then the
    // summary. The status says whether a reader failed, or none was written.
    ExitStatus provision(const ReaderSettings& settings, ReaderArrivals& arrivals, bool onlyNew = false);

private:
    void afterPlatformCall(std::string_view) override {}
    void keepLogOnLastLine() override {}
    void showStatus(std::string_view) override {}

    // The readers a command talks to, or the exit status when there are none it may talk to.
    std::optional<std::vector<hid::ReaderEntry>> chooseReaders(const ReaderChoice& choice, ExitStatus& refusal);
    // Opens a reader and runs the handshake; the failure says why not.
    std::optional<ReaderFailure> connect(const hid::ReaderEntry& reader);
    // Says why a command failed on a reader: on standard error, and as the JSON error with the failure's details.
    void reportFailure(const std::string& path, const std::string& step, const ReaderFailure& failure);
    // The block for the settings, or nothing when a sentinel cannot be sent (said on the output).
    std::optional<SettingsBlock> blockOf(const ReaderSettings& settings);
    // Writes one block to each reader and checks it, one result line each.
    ExitStatus writeEach(const SettingsBlock& block, const std::vector<hid::ReaderEntry>& readers);
    // "written and checked" or why not.
    std::string writeAndCheck(const SettingsBlock& block, const hid::ReaderEntry& reader, bool& ok);
    void cannotOpen(const std::string& path, const hid::SystemError& reason);
    // The message for a failure on a reader: the reason it cannot be opened and the remedy, or the failure's text.
    std::string failureMessage(const std::string& path, const ReaderFailure& failure);

    hid::HidLink link_;
    ReaderSession session_{link_};
    ToolOutput& output_;
};

}  // namespace cdr::cli
