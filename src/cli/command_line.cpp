#include "cli/command_line.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "cli/exit_status.h"
#include "cli/nearest_command.h"
#include "cli/reader_tool.h"
#include "cli/settings_source.h"
#include "cli/tool_output.h"
#include "version/program_version.h"

namespace cdr::cli {

namespace {

constexpr const char* kProgram = "cdr55p4w-cli";

struct Arguments {
    int simulatedReaders = 0;
    bool json = false;
    bool force = false;
    std::string device;
    bool all = false;
    bool onlyNew = false;
    std::string file;
    std::string output;

    ReaderChoice choice() const { return ReaderChoice{device.empty() ? std::nullopt : std::optional(device), all}; }
};

CLI::App* addCommand(CLI::App& app, const char* name, const char* description) {
    CLI::App* command = app.add_subcommand(name, description);
    command->fallthrough();
    return command;
}

void addDevice(CLI::App* command, Arguments& arguments, bool withAll) {
    CLI::Option* device = command->add_option("--device", arguments.device, "the reader's device path");
    if (withAll) {
        command->add_flag("--all", arguments.all, "every reader present, one after another")->excludes(device);
    }
}

void addSettingsFile(CLI::App* command, Arguments& arguments) {
    command->add_option("FILE", arguments.file, "the settings file or the JSON of read --json; - is standard input")
        ->required();
    command->add_flag("--force", arguments.force, "write settings that contradict themselves as the window loads them");
}

// The first argument that is not an option: the command the user meant to give.
std::optional<std::string> typedCommand(int argc, const char* const* argv) {
    for (int index = 1; index < argc; ++index) {
        const std::string argument = argv[index];
        if (!argument.starts_with("-")) return argument;
    }
    return std::nullopt;
}

bool asksForJson(int argc, const char* const* argv) {
    return std::any_of(argv + 1, argv + argc,
                       [](const char* argument) { return std::string_view(argument) == "--json"; });
}

// A command name that is none of the commands: named, with the nearest one when there is one.
std::optional<std::string> unknownCommandText(const CLI::App& app, int argc, const char* const* argv) {
    const auto typed = typedCommand(argc, argv);
    if (!typed) return std::nullopt;
    std::vector<std::string> names;
    for (const CLI::App* command : app.get_subcommands({})) names.push_back(command->get_name());
    if (std::ranges::find(names, *typed) != names.end()) return std::nullopt;
    std::string text = "'" + *typed + "' is not a command";
    if (const std::string nearest = nearestName(*typed, names); !nearest.empty()) {
        return text + "; did you mean '" + nearest + "'?";
    }
    std::string all;
    for (const auto& name : names) all += (all.empty() ? "" : ", ") + name;
    return text + "; the commands are " + all;
}

}  // namespace

int runCommandLine(int argc, const char* const* argv, Backends& backends, std::ostream& out, std::ostream& err) {
    CLI::App app{"Configures CDR55P4W card readers: lists them, reads and writes their settings, provisions many."};
    app.name(kProgram);
    app.require_subcommand(1);
    app.set_version_flag("--version", programVersion(kProgram));
    Arguments arguments;
    app.add_flag("--simulate", arguments.simulatedReaders,
                 "run against virtual readers instead of the system's: one, or N with --simulate=N");
    app.add_flag("--json", arguments.json, "results and errors as JSON on standard output");

    CLI::App* list = addCommand(app, "list", "one line per reader: device path, vendor:product, ok or why not");
    CLI::App* version = addCommand(app, "version", "the reader's firmware version");
    CLI::App* read = addCommand(app, "read", "the reader's settings as a settings file (or JSON with --json)");
    CLI::App* write = addCommand(app, "write", "write settings to the reader, read them back and compare");
    CLI::App* factory = addCommand(app, "factory", "write the factory settings, read them back and compare");
    CLI::App* provision = addCommand(app, "provision", "write and check settings on each reader present or plugged in");
    CLI::App* swipe = addCommand(app, "swipe-test", "show what a reader types for each swipe (ends on Ctrl-C, Ctrl-D)");
    addDevice(version, arguments, false);
    addDevice(read, arguments, false);
    read->add_option("-o,--output", arguments.output,
                     "write the settings here (replaced in one step; - is standard output)");
    addSettingsFile(write, arguments);
    addDevice(write, arguments, true);
    addDevice(factory, arguments, true);
    addSettingsFile(provision, arguments);
    provision->add_flag("--only-new", arguments.onlyNew, "pass over the readers already plugged in at the start");

    ToolOutput output(out, err, asksForJson(argc, argv));
    if (const auto unknown = unknownCommandText(app, argc, argv)) {
        output.fail("bad-command-line", *unknown);
        output.finish();
        return kExitBadInput;
    }
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        if (error.get_exit_code() == 0) {
            app.exit(error, out, err);
            return kExitDone;
        }
        output.fail("bad-command-line", error.what());
        output.finish();
        return kExitBadInput;
    }

    const int status = [&]() -> int {
        if (swipe->parsed()) {
            backends.swipeTest(out);
            return kExitDone;
        }
        std::optional<ReaderSettings> settings;
        if (write->parsed() || provision->parsed()) {
            auto loaded = loadSettings(arguments.file, backends.standardInput(), arguments.force);
            if (const auto* refusal = std::get_if<SettingsRefusal>(&loaded)) {
                output.fail(refusal->kind, refusal->message, refusal->details);
                return kExitBadInput;
            }
            settings = std::get<ReaderSettings>(loaded);
        }
        ReaderTool tool(backends.platform(arguments.simulatedReaders), output);
        if (list->parsed()) return tool.list();
        if (version->parsed()) return tool.version(arguments.choice());
        if (read->parsed()) {
            return tool.read(arguments.choice(),
                             arguments.output.empty() ? std::nullopt : std::optional(arguments.output));
        }
        if (write->parsed()) return tool.write(*settings, arguments.choice());
        if (factory->parsed()) return tool.factory(arguments.choice());
        const auto arrivals = backends.arrivals(tool.link(), arguments.simulatedReaders > 0);
        return tool.provision(*settings, *arrivals, arguments.onlyNew);
    }();
    output.finish();
    if (status == kExitDone && !out.good()) {
        err << kProgram << ": standard output could not be written\n";
        return kExitOutputNotWritten;
    }
    return status;
}

}  // namespace cdr::cli
