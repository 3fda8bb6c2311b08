#include "cli/command_line.h"

#include <CLI/CLI.hpp>
#include <optional>
#include <string>

#include "cli/exit_status.h"
#include "cli/reader_tool.h"

namespace cdr::cli {

namespace {

struct Arguments {
    bool simulate = false;
    bool json = false;
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

}  // namespace

int runCommandLine(int argc, const char* const* argv, Backends& backends, std::ostream& out, std::ostream& err) {
    CLI::App app{"Configures CDR55P4W card readers: lists them, reads and writes their settings, provisions many."};
    app.name("cdr55p4w-cli");
    app.require_subcommand(1);
    Arguments arguments;
    app.add_flag("--simulate", arguments.simulate, "run against a virtual reader instead of the system's readers");

    CLI::App* list = addCommand(app, "list", "one line per reader: device path, vendor:product, ok or why not");
    CLI::App* version = addCommand(app, "version", "the reader's firmware version");
    CLI::App* read = addCommand(app, "read", "the reader's settings as a settings file");
    CLI::App* write = addCommand(app, "write", "write a settings file to the reader, read it back and compare");
    CLI::App* factory = addCommand(app, "factory", "write the factory settings, read them back and compare");
    CLI::App* provision =
        addCommand(app, "provision", "write and check a settings file on each reader as it is plugged in");
    CLI::App* swipe = addCommand(app, "swipe-test", "show what a reader types for each swipe (ends on Ctrl-C, Ctrl-D)");
    for (CLI::App* command : {list, version, read}) {
        command->add_flag("--json", arguments.json, "output as JSON");
    }
    addDevice(version, arguments, false);
    addDevice(read, arguments, false);
    read->add_option("-o,--output", arguments.output, "write the settings file here (replaced in one step)");
    write->add_option("FILE", arguments.file, "the settings file")->required();
    addDevice(write, arguments, true);
    addDevice(factory, arguments, true);
    provision->add_option("FILE", arguments.file, "the settings file")->required();
    provision->add_flag("--only-new", arguments.onlyNew, "pass over the readers already plugged in at the start");

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        const int status = app.exit(error, out, err);
        return status == 0 ? kExitDone : kExitBadInput;
    }

    if (swipe->parsed()) {
        backends.swipeTest(out);
        return kExitDone;
    }
    ReaderTool tool(backends.platform(arguments.simulate), out, err);
    if (list->parsed()) return tool.list(arguments.json);
    if (version->parsed()) return tool.version(arguments.choice(), arguments.json);
    if (read->parsed()) {
        const auto output = arguments.output.empty() ? std::nullopt : std::optional(arguments.output);
        return tool.read(arguments.choice(), output, arguments.json);
    }
    if (write->parsed()) return tool.write(arguments.file, arguments.choice());
    if (factory->parsed()) return tool.factory(arguments.choice());
    const auto arrivals = backends.arrivals(tool.link(), arguments.simulate);
    return tool.provision(arguments.file, *arrivals, arguments.onlyNew);
}

}  // namespace cdr::cli
