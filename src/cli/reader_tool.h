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
#include "reader/reader_failure.h"
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
    // Writes and checks each reader as it arrives (those already present first, unless onlyNew), until the
    // arrivals end or SIGINT, SIGTERM or SIGHUP asks to stop, which ends it after the reader in hand; then the
    // summary. The status says whether a reader failed, or none was written.
    ExitStatus provision(const std::string& settingsFile, ReaderArrivals& arrivals, bool onlyNew = false);

private:
    void afterPlatformCall(std::string_view) override {}
    void keepLogOnLastLine() override {}
    void showStatus(std::string_view) override {}

    // The readers a command talks to, or the exit status when there are none it may talk to.
    std::optional<std::vector<hid::ReaderEntry>> chooseReaders(const ReaderChoice& choice, ExitStatus& refusal);
    // Opens a reader and runs the handshake; the failure says why not.
    std::optional<ReaderFailure> connect(const hid::ReaderEntry& reader);
    // Says on err why a command failed on a reader, and with json as the error object on out.
    void reportFailure(const std::string& path, const std::string& step, const ReaderFailure& failure, bool json);
    std::optional<SettingsBlock> loadSettingsFile(const std::string& path);
    // Writes one block to each reader and checks it, one result line each.
    ExitStatus writeEach(const SettingsBlock& block, const std::vector<hid::ReaderEntry>& readers);
    // "written and checked" or why not.
    std::string writeAndCheck(const SettingsBlock& block, const hid::ReaderEntry& reader, bool& ok);
    void message(const std::string& text);
    void cannotOpen(const std::string& path, const hid::SystemError& reason);
    // The message for a failure on a reader: the reason it cannot be opened and the remedy, or the failure's text.
    std::string failureMessage(const std::string& path, const ReaderFailure& failure);

    hid::HidLink link_;
    ReaderSession session_{link_};
    std::ostream& out_;
    std::ostream& err_;
};

}  // namespace cdr::cli
