#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/exit_status.h"
#include "cli/reader_arrivals.h"
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

// The commands of the tool over one HID platform. Results go to out, messages to err, one line each.
class ReaderTool : private hid::LinkObserver {
public:
    ReaderTool(hid::HidPlatform& platform, std::ostream& out, std::ostream& err);

    // The link the tool talks through, for arrivals that list readers.
    hid::HidLink& link() { return link_; }

    ExitStatus list(bool json);
    ExitStatus version(const ReaderChoice& choice, bool json);
    // The settings as a settings file on out, or into outputFile (replaced in one step).
    ExitStatus read(const ReaderChoice& choice, const std::optional<std::string>& outputFile, bool json);
    // Loads the settings file (all or nothing) before any reader is touched, then writes and checks.
    ExitStatus write(const std::string& settingsFile, const ReaderChoice& choice);
    ExitStatus factory(const ReaderChoice& choice);
    // Writes and checks each reader as it arrives, until the arrivals end; then the summary.
    ExitStatus provision(const std::string& settingsFile, ReaderArrivals& arrivals);

private:
    void afterPlatformCall(std::string_view) override {}
    void keepLogOnLastLine() override {}
    void showStatus(std::string_view) override {}

    // The readers a command talks to, or the exit status when there are none it may talk to.
    std::optional<std::vector<hid::ReaderEntry>> chooseReaders(const ReaderChoice& choice, ExitStatus& refusal);
    // Opens a reader and runs the handshake; says why not on err.
    bool connect(const hid::ReaderEntry& reader);
    std::optional<SettingsBlock> loadSettingsFile(const std::string& path);
    // Writes one block to each reader and checks it, one result line each.
    ExitStatus writeEach(const SettingsBlock& block, const std::vector<hid::ReaderEntry>& readers);
    // "written and checked" or why not.
    std::string writeAndCheck(const SettingsBlock& block, const hid::ReaderEntry& reader, bool& ok);
    // Why a command failed: the reply was not understood (Accepted), did not fit, did not come, or was refused.
    std::string failureText(ExchangeResult result);
    void message(const std::string& text);
    void cannotOpen(const std::string& path, const hid::SystemError& reason);

    hid::HidLink link_;
    ReaderSession session_{link_};
    std::ostream& out_;
    std::ostream& err_;
};

}  // namespace cdr::cli
