#include "cli/reader_tool.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <set>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <variant>

#include "cli/failure_json.h"
#include "cli/interrupt.h"
#include "cli/settings_json.h"
#include "cli/text_encoding.h"
#include "settings/settings_file.h"
#include "settings/settings_file_io.h"

namespace cdr::cli {

namespace {

std::string hex4(std::uint16_t value) {
    char text[5];
    std::snprintf(text, sizeof text, "%04x", value);
    return text;
}

std::string identityText(const hid::DeviceAttributes& identity) {
    return hex4(identity.vendorId) + ":" + hex4(identity.productId);
}

#ifdef _WIN32
constexpr const char* kAccessAdvice = "close any program that holds the reader, then unplug it and plug it in again";
#else
constexpr const char* kAccessAdvice =
    "install the udev rule 70-cdr55p4w-reader.rules, unplug the reader and plug it in again, and run from a "
    "session at the local seat";
#endif

// A settings file's failure for a message: the path, then the failing step's reason as the system gives it.
std::string fileFailureText(const std::string& path, const FileIoFailure& failure) {
    return path + ": " + failure.step + ": " + utf16ToUtf8(failure.reason);
}

}  // namespace

ReaderTool::ReaderTool(hid::HidPlatform& platform, std::ostream& out, std::ostream& err)
    : link_(platform, *this), out_(out), err_(err) {}

void ReaderTool::message(const std::string& text) { err_ << "cdr55p4w-cli: " << text << '\n'; }

void ReaderTool::cannotOpen(const std::string& path, const hid::SystemError& reason) {
    message(failureMessage(path, ReaderFailure{FailureKind::CannotOpen, 0, reason}));
}

std::string ReaderTool::failureMessage(const std::string& path, const ReaderFailure& failure) {
    if (failure.kind != FailureKind::CannotOpen) {
        return path + ": " + failureText(failure);
    }
#ifndef _WIN32
    // A reader another program is writing needs no access rule, only patience.
    if (failure.cause.code == EBUSY) {
        return "cannot open " + path + ": " + failure.cause.text;
    }
#endif
    return "cannot open " + path + ": " + failure.cause.text + "; " + kAccessAdvice;
}

void ReaderTool::reportFailure(const std::string& path, const std::string& step, const ReaderFailure& failure,
                               bool json) {
    std::string text = failureMessage(path, failure);
    if (!step.empty() && failure.kind != FailureKind::CannotOpen) {
        text = path + ": " + step + ": " + failureText(failure);
    }
    message(text);
    if (json) {
        out_ << nlohmann::json{{"error", failureJson(path, failure)}}.dump(2) << '\n';
    }
}

ExitStatus ReaderTool::list(bool json) {
    const auto readers = link_.listReaders();
    if (json) {
        nlohmann::json entries = nlohmann::json::array();
        for (const auto& reader : readers) {
            entries.push_back({{"path", reader.path},
                               {"vendorId", hex4(reader.identity.vendorId)},
                               {"productId", hex4(reader.identity.productId)},
                               {"opens", reader.opens},
                               {"reason", reader.opens ? std::string{} : reader.reason.text}});
        }
        out_ << entries.dump(2) << '\n';
    } else {
        for (const auto& reader : readers) {
            out_ << reader.path << ' ' << identityText(reader.identity) << ' '
                 << (reader.opens ? std::string("ok") : reader.reason.text) << '\n';
        }
    }
    if (readers.empty()) {
        message("no reader found");
        return kExitNoReader;
    }
    return kExitDone;
}

std::optional<std::vector<hid::ReaderEntry>> ReaderTool::chooseReaders(const ReaderChoice& choice,
                                                                       ExitStatus& refusal) {
    auto readers = link_.listReaders();
    if (choice.device) {
        std::erase_if(readers, [&choice](const hid::ReaderEntry& reader) { return reader.path != *choice.device; });
        if (readers.empty()) {
            message("no reader at " + *choice.device);
            refusal = kExitNoReader;
            return std::nullopt;
        }
    }
    if (readers.empty()) {
        message("no reader found");
        refusal = kExitNoReader;
        return std::nullopt;
    }
    if (readers.size() > 1 && !choice.all) {
        message("several readers are present; choose one with --device PATH (or all with --all where allowed):");
        for (const auto& reader : readers) {
            message("  " + reader.path);
        }
        refusal = kExitBadInput;
        return std::nullopt;
    }
    const bool anyOpens = std::any_of(readers.begin(), readers.end(), [](const auto& r) { return r.opens; });
    if (!anyOpens) {
        for (const auto& reader : readers) {
            cannotOpen(reader.path, reader.reason);
        }
        refusal = kExitNoReader;
        return std::nullopt;
    }
    return readers;
}

std::optional<ReaderFailure> ReaderTool::connect(const hid::ReaderEntry& reader) {
    if (!reader.opens) {
        return ReaderFailure{FailureKind::CannotOpen, 0, reader.reason};
    }
    if (auto failure = session_.open(reader.path)) {
        return failure;
    }
    if (session_.connect() != ExchangeResult::Accepted) {
        link_.CloseDeviceHandles();
        return session_.lastFailure();
    }
    return std::nullopt;
}

ExitStatus ReaderTool::version(const ReaderChoice& choice, bool json) {
    ExitStatus refusal = kExitDone;
    const auto readers = chooseReaders(choice, refusal);
    if (!readers) return refusal;
    const auto& reader = readers->front();
    if (const auto failure = connect(reader)) {
        reportFailure(reader.path, "connect failed", *failure, json);
        return reader.opens ? kExitReaderFailed : kExitNoReader;
    }
    const auto answer = session_.readVersion();
    link_.CloseDeviceHandles();
    if (!answer.ok()) {
        reportFailure(reader.path, {}, *answer.failure, json);
        return kExitReaderFailed;
    }
    const std::string text = codePageToUtf8(*answer.value);
    if (json) {
        out_ << nlohmann::json{{"path", reader.path}, {"version", text}}.dump(2) << '\n';
    } else {
        out_ << text << '\n';
    }
    return kExitDone;
}

ExitStatus ReaderTool::read(const ReaderChoice& choice, const std::optional<std::string>& outputFile, bool json) {
    ExitStatus refusal = kExitDone;
    const auto readers = chooseReaders(choice, refusal);
    if (!readers) return refusal;
    const auto& reader = readers->front();
    if (const auto failure = connect(reader)) {
        reportFailure(reader.path, "connect failed", *failure, json);
        return reader.opens ? kExitReaderFailed : kExitNoReader;
    }
    const auto answer = session_.readSettings();
    link_.CloseDeviceHandles();
    if (!answer.ok()) {
        reportFailure(reader.path, {}, *answer.failure, json);
        return kExitReaderFailed;
    }
    const auto encoded = encodeSettingsFile(*answer.value);
    if (const auto* refused = std::get_if<RefusedSentinel>(&encoded)) {
        message(reader.path + ": " + utf16ToUtf8(refused->message));
        return kExitReaderFailed;
    }
    const std::string& bytes = std::get<std::string>(encoded);
    if (outputFile) {
        if (const auto failure = replaceSettingsFile(std::filesystem::path(*outputFile), bytes)) {
            message("cannot write " + fileFailureText(*outputFile, *failure));
            return kExitBadInput;
        }
    }
    if (json) {
        out_ << settingsJson(reader.path, *answer.value).dump(2) << '\n';
    } else if (!outputFile) {
        out_ << bytes << std::flush;
    }
    return kExitDone;
}

std::optional<SettingsBlock> ReaderTool::loadSettingsFile(const std::string& path) {
    const auto bytes = readSettingsFileBytes(std::filesystem::path(path));
    if (const auto* failure = std::get_if<FileIoFailure>(&bytes)) {
        message("cannot read " + fileFailureText(path, *failure));
        return std::nullopt;
    }
    const auto decoded = decodeSettingsFile(std::get<std::string>(bytes));
    if (const auto* error = std::get_if<SettingsFileError>(&decoded)) {
        message(path + ": " + utf16ToUtf8(error->message));
        return std::nullopt;
    }
    const auto block = encodeSettingsBlock(std::get<ReaderSettings>(decoded));
    if (const auto* refused = std::get_if<RefusedSentinel>(&block)) {
        message(path + ": " + utf16ToUtf8(refused->message));
        return std::nullopt;
    }
    return std::get<SettingsBlock>(block);
}

std::string ReaderTool::writeAndCheck(const SettingsBlock& block, const hid::ReaderEntry& reader, bool& ok) {
    ok = false;
    if (const auto failure = connect(reader)) {
        return failure->kind == FailureKind::CannotOpen ? "failed: cannot open (" + failure->cause.text + ")"
                                                        : "failed: connect: " + failureText(*failure);
    }
    const CheckedWrite check = session_.writeAndCheck(block);
    link_.CloseDeviceHandles();
    const auto failure = check.failure();
    if (!failure) {
        ok = true;
        return "written and checked";
    }
    if (check.writeFailure) return "failed: write: " + failureText(*failure);
    if (check.readBack.failure) return "failed: read-back: " + failureText(*failure);
    return "failed: " + failureText(*failure);
}

ExitStatus ReaderTool::writeEach(const SettingsBlock& block, const std::vector<hid::ReaderEntry>& readers) {
    bool allOk = true;
    for (const auto& reader : readers) {
        bool ok = false;
        const std::string result = writeAndCheck(block, reader, ok);
        out_ << reader.path << ": " << result << '\n' << std::flush;
        allOk = allOk && ok;
    }
    return allOk ? kExitDone : kExitReaderFailed;
}

ExitStatus ReaderTool::write(const std::string& settingsFile, const ReaderChoice& choice) {
    const auto block = loadSettingsFile(settingsFile);
    if (!block) return kExitBadInput;
    ExitStatus refusal = kExitDone;
    const auto readers = chooseReaders(choice, refusal);
    return readers ? writeEach(*block, *readers) : refusal;
}

ExitStatus ReaderTool::factory(const ReaderChoice& choice) {
    ExitStatus refusal = kExitDone;
    const auto readers = chooseReaders(choice, refusal);
    if (!readers) return refusal;
    return writeEach(std::get<SettingsBlock>(encodeSettingsBlock(factorySettings())), *readers);
}

ExitStatus ReaderTool::provision(const std::string& settingsFile, ReaderArrivals& arrivals, bool onlyNew) {
    const auto block = loadSettingsFile(settingsFile);
    if (!block) return kExitBadInput;
    watchForInterrupt();
    // With onlyNew, the readers present now are passed over when they are first reported; plugged in again later,
    // they are written like any other.
    std::set<std::string> presentAtStart;
    if (onlyNew) {
        for (const auto& reader : link_.listReaders()) presentAtStart.insert(reader.path);
    }
    message("waiting for readers; plug each one in, press Ctrl-C to end");
    int written = 0;
    int failed = 0;
    int skipped = 0;
    while (!interrupted()) {
        const auto path = arrivals.nextReader();
        if (!path) break;
        if (presentAtStart.erase(*path) > 0) {
            out_ << *path << ": skipped: already present (--only-new)\n" << std::flush;
            ++skipped;
            continue;
        }
        const auto readers = link_.listReaders();
        const auto reader =
            std::find_if(readers.begin(), readers.end(), [&path](const auto& r) { return r.path == *path; });
        if (reader == readers.end()) continue;
        const auto started = std::chrono::steady_clock::now();
        bool ok = false;
        const std::string result = writeAndCheck(*block, *reader, ok);
        const auto taken = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        char seconds[32];
        std::snprintf(seconds, sizeof seconds, "%.1f s", taken);
        out_ << reader->path << ": " << result << " (" << seconds << ")\n" << std::flush;
        ++(ok ? written : failed);
    }
    out_ << written << " written, " << failed << " failed";
    if (skipped > 0) out_ << ", " << skipped << " skipped";
    out_ << '\n' << std::flush;
    if (failed > 0) return kExitReaderFailed;
    return written > 0 ? kExitDone : kExitNoReader;
}

}  // namespace cdr::cli
