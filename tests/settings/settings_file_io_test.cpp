#include "settings/settings_file_io.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif
#ifdef __linux__
#include <sys/inotify.h>
#endif

#include "support/temp_folder.h"

namespace cdr {
namespace {

namespace fs = std::filesystem;

class SettingsFileIoTest : public ::testing::Test {
protected:
    fs::path write(const std::string& name, const std::string& bytes) const { return folder_.write(name, bytes); }
    static std::string contents(const fs::path& path) { return test::TempFolder::contents(path); }
    std::size_t filesInFolder() const {
        return static_cast<std::size_t>(
            std::distance(fs::directory_iterator(folder_.path()), fs::directory_iterator()));
    }
    std::u16string readFailure(const fs::path& path) const {
        const auto result = readSettingsFileBytes(path);
        const auto* failure = std::get_if<FileIoFailure>(&result);
        return failure != nullptr ? failure->reason : u"(read)";
    }

    test::TempFolder folder_{"cdr-settings-io-"};
};

TEST_F(SettingsFileIoTest, ReplacesAnExistingFileAndLeavesNothingBeside) {
    const fs::path file = write("old.cfg", "old contents that are longer");
    EXPECT_EQ(replaceSettingsFile(file, "1\r\n2\r\n"), std::nullopt);
    EXPECT_EQ(contents(file), "1\r\n2\r\n");
    EXPECT_EQ(filesInFolder(), 1u);
}

TEST_F(SettingsFileIoTest, FailedSaveKeepsTheSystemsCauseLeavesTheOldFileAndNothingBeside) {
    fs::create_directory(folder_ / "folder.cfg");
    const fs::path oldFile = write("old.cfg", "old contents");

    const auto overFolder = replaceSettingsFile(folder_ / "folder.cfg", "new");
    ASSERT_TRUE(overFolder.has_value());
    EXPECT_EQ(overFolder->step, "rename");
    EXPECT_TRUE(overFolder->error);
    EXPECT_FALSE(overFolder->reason.empty());
    EXPECT_TRUE(fs::is_directory(folder_ / "folder.cfg"));

    const auto belowFile = replaceSettingsFile(oldFile / "inner.cfg", "new");
    ASSERT_TRUE(belowFile.has_value());
    EXPECT_TRUE(belowFile->error);
    EXPECT_EQ(contents(oldFile), "old contents");
    EXPECT_EQ(filesInFolder(), 2u);
}

TEST_F(SettingsFileIoTest, ReadRefusesWhatIsNoSettingsFileBeforeOpeningIt) {
    fs::create_directory(folder_ / "folder.cfg");
    EXPECT_EQ(readFailure(folder_ / "missing.cfg"), u"no such file");
    EXPECT_EQ(readFailure(folder_ / "folder.cfg"), u"not a file");
#ifdef __linux__
    // Opening a pipe, even without waiting, would let a writer blocked on it go on: it is not opened at all.
    const fs::path pipe = folder_ / "pipe.cfg";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const int opens = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    ASSERT_GE(::inotify_add_watch(opens, pipe.c_str(), IN_OPEN), 0);
    EXPECT_EQ(readFailure(pipe), u"not a file");
    char event[256];
    EXPECT_EQ(::read(opens, event, sizeof event), -1) << "the pipe was opened";
    ::close(opens);
#endif
}

TEST_F(SettingsFileIoTest, ReadStopsAtTheLimitAndRefusesALongFileWithoutItsLines) {
    const std::string lines(16, '\r');
    const auto padded = readSettingsFileBytes(write("padded.cfg", lines + std::string(1 << 20, 'x')));
    ASSERT_TRUE(std::holds_alternative<std::string>(padded));
    EXPECT_EQ(std::get<std::string>(padded).size(), kMostSettingsFileBytes);

    const auto exact = readSettingsFileBytes(write("exact.cfg", std::string(kMostSettingsFileBytes, 'x')));
    EXPECT_TRUE(std::holds_alternative<std::string>(exact));
    EXPECT_EQ(readFailure(write("huge.cfg", std::string(kMostSettingsFileBytes + 1, 'x'))), u"too large");
}

#ifndef _WIN32
TEST_F(SettingsFileIoTest, ReplacedFileKeepsItsAccessRights) {
    const fs::path file = write("private.cfg", "old");
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_EQ(replaceSettingsFile(file, "new"), std::nullopt);
    EXPECT_EQ(fs::status(file).permissions(), fs::perms::owner_read | fs::perms::owner_write);
}
#endif

TEST_F(SettingsFileIoTest, Utf8NamesReachTheFileSystemUnchanged) {
    const fs::path file = folder_ / pathFromUtf8("\xC3\xA9t\xC3\xA9.cfg");
    ASSERT_EQ(replaceSettingsFile(file, "x"), std::nullopt);
    EXPECT_EQ(fs::directory_iterator(folder_.path())->path().filename().u16string(), u"\u00e9t\u00e9.cfg");
}

}  // namespace
}  // namespace cdr
