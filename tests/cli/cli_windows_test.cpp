#include <gtest/gtest.h>

#include <sstream>

#include "cli/reader_tool.h"
#include "hid/sim/virtual_reader.h"
#include "settings/settings_file.h"
#include "stand_in_reader_platform.h"

namespace cdr::cli {
namespace {

TEST(CliOnWindows, ListsTheStandInReaderAmongTheSystemsDevices) {
    hid::test::StandInReaderPlatform platform(true);
    std::ostringstream out;
    std::ostringstream err;
    ToolOutput output(out, err, false);
    ReaderTool tool(platform, output);
    EXPECT_EQ(tool.list(), kExitDone);
    EXPECT_EQ(out.str(), platform.readerPath() + " ffff:fffc ok\n");
    EXPECT_EQ(platform.handlesOpened(), platform.handlesClosed());
}

TEST(CliOnWindows, TalksToTheStandInReader) {
    hid::sim::VirtualReader reader;
    hid::test::StandInReaderPlatform platform(reader);
    std::ostringstream out;
    std::ostringstream err;
    ToolOutput output(out, err, false);
    ReaderTool tool(platform, output);
    EXPECT_EQ(tool.version({}), kExitDone) << err.str();
    EXPECT_EQ(out.str(), "1.05\n");
    out.str({});
    EXPECT_EQ(tool.read({}, std::nullopt), kExitDone) << err.str();
    EXPECT_EQ(out.str(), std::get<std::string>(encodeSettingsFile(factorySettings())));
    EXPECT_EQ(platform.handlesOpened(), platform.handlesClosed());
}

TEST(CliOnWindows, WithoutAReaderNothingIsFound) {
    hid::test::StandInReaderPlatform platform(false);
    std::ostringstream out;
    std::ostringstream err;
    ToolOutput output(out, err, false);
    ReaderTool tool(platform, output);
    EXPECT_EQ(tool.factory({}), kExitNoReader);
    EXPECT_EQ(err.str(), "cdr55p4w-cli: no reader found\n");
}

}  // namespace
}  // namespace cdr::cli
