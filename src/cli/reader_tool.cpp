#include "cli/reader_tool.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <set>
#include <variant>

#include "cli/failure_json.h"
#include "cli/interrupt.h"
#include "cli/settings_output.h"
#include "cli/text_encoding.h"

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
    "install the udev rule 70-cdr55p4w-reader.rules (it grants the user at the local seat), unplug the reader and "
    "plug it in again; over ssh, activate the group rule 71-cdr55p4w-group.rules and join its group cdr55p4w "
    "(see /usr/share/doc/cdr55p4w-cli/linux-reader.md), or run the command with sudo";
#endif

// One reader's result for write, factory and provision: as the text line says it, and whether it succeeded.
nlohmann::ordered_json readerResult(const std::string& path, const std::string& result, bool ok) {
    return {{"path", path}, {"ok", ok}, {"result", result}};
}

}  // namespace

ReaderTool::ReaderTool(hid::HidPlatform& platform, ToolOutput& output) : link_(platform, *this), output_(output) {}

void ReaderTool::cannotOpen(const std::string& path, const hid::SystemError& reason) {
    reportFailure(path, {}, ReaderFailure{FailureKind::CannotOpen, 0, reason});
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

void ReaderTool::reportFailure(const std::string& path, const std::string& step, const ReaderFailure& failure) {
    std::string text = failureMessage(path, failure);
    if (!step.empty() && failure.kind != FailureKind::CannotOpen) {
        text = path + ": " + step + ": " + failureText(failure);
    }
    output_.fail(std::string(failureKindName(failure.kind)), text, failureDetails(path, failure));
}

ExitStatus ReaderTool::list() {
    const auto readers = link_.listReaders();
    if (readers.empty()) {
        output_.fail("no-reader", "no reader found");
        return kExitNoReader;
    }
    if (output_.json()) {
        nlohmann::ordered_json entries = nlohmann::ordered_json::array();
        for (const auto& reader : readers) {
            entries.push_back({{"path", reader.path},
                               {"vendorId", hex4(reader.identity.vendorId)},
                               {"productId", hex4(reader.identity.productId)},
                               {"opens", reader.opens},
                               {"reason", reader.opens ? std::string{} : reader.reason.text},
                               {"inUseBy", reader.inUseBy}});
        }
        output_.result(entries);
    } else {
        for (const auto& reader : readers) {
            output_.out() << reader.path << ' ' << identityText(reader.identity) << ' '
                          << (reader.opens ? std::string("ok") : reader.reason.text)
                          << (reader.inUseBy.empty() ? "" : ", in use by " + reader.inUseBy) << '\n';
        }
    }
    const bool anyOpens = std::any_of(readers.begin(), readers.end(), [](const auto& r) { return r.opens; });
    if (!anyOpens) {
        output_.note("no reader can be opened; " + std::string(kAccessAdvice));
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
            output_.fail("no-reader", "no reader at " + *choice.device);
            refusal = kExitNoReader;
            return std::nullopt;
        }
    }
    if (readers.empty()) {
        output_.fail("no-reader", "no reader found");
        refusal = kExitNoReader;
        return std::nullopt;
    }
    if (readers.size() > 1 && !choice.all) {
        nlohmann::ordered_json paths = nlohmann::ordered_json::array();
        for (const auto& reader : readers) paths.push_back(reader.path);
        output_.fail("several-readers",
                     "several readers are present; choose one with --device PATH (or all with --all where allowed):",
                     {{"paths", paths}});
        for (const auto& reader : readers) {
            output_.note("  " + reader.path);
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

ExitStatus ReaderTool::version(const ReaderChoice& choice) {
    ExitStatus refusal = kExitDone;
    const auto readers = chooseReaders(choice, refusal);
    if (!readers) return refusal;
    const auto& reader = readers->front();
    if (const auto failure = connect(reader)) {
        reportFailure(reader.path, "connect failed", *failure);
        return reader.opens ? kExitReaderFailed : kExitNoReader;
    }
    const auto answer = session_.readVersion();
    link_.CloseDeviceHandles();
    if (!answer.ok()) {
        reportFailure(reader.path, {}, *answer.failure);
        return kExitReaderFailed;
    }
    const std::string text = codePageToUtf8(*answer.value);
    if (output_.json()) {
        output_.result({{"path", reader.path}, {"version", text}});
    } else {
        output_.out() << text << '\n';
    }
    return kExitDone;
}

ExitStatus ReaderTool::read(const ReaderChoice& choice, const std::optional<std::string>& outputFile) {
    ExitStatus refusal = kExitDone;
    const auto readers = chooseReaders(choice, refusal);
    if (!readers) return refusal;
    const auto& reader = readers->front();
    if (const auto failure = connect(reader)) {
        reportFailure(reader.path, "connect failed", *failure);
        return reader.opens ? kExitReaderFailed : kExitNoReader;
    }
    const auto answer = session_.readSettings();
    link_.CloseDeviceHandles();
    if (!answer.ok()) {
        reportFailure(reader.path, {}, *answer.failure);
        return kExitReaderFailed;
    }
    return deliverSettings(output_, reader.path, *answer.value, outputFile);
}

std::optional<SettingsBlock> ReaderTool::blockOf(const ReaderSettings& settings) {
    const auto block = encodeSettingsBlock(settings);
    if (const auto* refused = std::get_if<RefusedSentinel>(&block)) {
        output_.fail("bad-settings-file", utf16ToUtf8(refused->message));
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
    nlohmann::ordered_json results = nlohmann::ordered_json::array();
    for (const auto& reader : readers) {
        bool ok = false;
        const std::string result = writeAndCheck(block, reader, ok);
        if (output_.json()) {
            results.push_back(readerResult(reader.path, result, ok));
        } else {
            output_.out() << reader.path << ": " << result << '\n' << std::flush;
        }
        allOk = allOk && ok;
    }
    if (output_.json()) output_.result({{"results", results}});
    return allOk ? kExitDone : kExitReaderFailed;
}

ExitStatus ReaderTool::write(const ReaderSettings& settings, const ReaderChoice& choice) {
    const auto block = blockOf(settings);
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

ExitStatus ReaderTool::provision(const ReaderSettings& settings, ReaderArrivals& arrivals, bool onlyNew) {
    const auto block = blockOf(settings);
    if (!block) return kExitBadInput;
    output_.note("waiting for readers; plug each one in, press Ctrl-C to end");
    watchForInterrupt();
    // With onlyNew, the readers present now are passed over when they are first reported; plugged in again later,
    // they are written like any other.
    std::set<std::string> presentAtStart;
    if (onlyNew) {
        for (const auto& reader : link_.listReaders()) presentAtStart.insert(reader.path);
    }
    int written = 0;
    int failed = 0;
    int skipped = 0;
    while (!interrupted()) {
        const auto path = arrivals.nextReader();
        if (!path) break;
        if (presentAtStart.erase(*path) > 0) {
            const std::string result = "skipped: already present (--only-new)";
            if (output_.json()) {
                output_.out() << nlohmann::ordered_json{{"path", *path}, {"skipped", true}, {"result", result}}.dump()
                              << '\n'
                              << std::flush;
            } else {
                output_.out() << *path << ": " << result << '\n' << std::flush;
            }
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
        if (output_.json()) {
            // One line of JSON per reader as it is done, then the summary.
            auto line = readerResult(reader->path, result, ok);
            line["seconds"] = taken;
            output_.out() << line.dump() << '\n' << std::flush;
        } else {
            output_.out() << reader->path << ": " << result << " (" << seconds << ")\n" << std::flush;
        }
        ++(ok ? written : failed);
    }
    if (output_.json()) {
        output_.result(nlohmann::ordered_json{{"written", written}, {"failed", failed}, {"skipped", skipped}});
    } else {
        output_.out() << written << " written, " << failed << " failed";
        if (skipped > 0) output_.out() << ", " << skipped << " skipped";
        output_.out() << '\n' << std::flush;
    }
    if (failed > 0) return kExitReaderFailed;
    return written > 0 ? kExitDone : kExitNoReader;
}

}  // namespace cdr::cli
