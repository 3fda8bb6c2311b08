#include "settings/settings_file.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace cdr {
namespace {

using Lines = std::vector<std::string>;

const Lines kFactoryLines{"1", "1", "1", "0", "", "", "", "0", "", "", "", "True", "False", "False", "True", "False"};

std::string joined(const Lines& lines, std::string_view lineEnd = "\r\n") {
    std::string file;
    for (const auto& line : lines) file += line + std::string(lineEnd);
    return file;
}

Lines factoryLinesWith(std::size_t lineNumber, std::string text) {
    Lines lines = kFactoryLines;
    lines[lineNumber - 1] = std::move(text);
    return lines;
}

ReaderSettings decoded(const std::string& bytes) {
    const auto result = decodeSettingsFile(bytes);
    if (const auto* error = std::get_if<SettingsFileError>(&result)) {
        ADD_FAILURE() << "line " << error->line;
        return {};
    }
    return std::get<ReaderSettings>(result);
}

SettingsFileError decodeError(const std::string& bytes) {
    const auto result = decodeSettingsFile(bytes);
    EXPECT_TRUE(std::holds_alternative<SettingsFileError>(result));
    return std::holds_alternative<SettingsFileError>(result) ? std::get<SettingsFileError>(result)
                                                             : SettingsFileError{};
}

TEST(SettingsFileEncodeTest, FactorySettingsGiveThe60ByteFile) {
    const auto file = encodeSettingsFile(factorySettings());
    ASSERT_TRUE(std::holds_alternative<std::string>(file));
    EXPECT_EQ(std::get<std::string>(file), joined(kFactoryLines));
    EXPECT_EQ(std::get<std::string>(file).size(), 60u);
}

TEST(SettingsFileEncodeTest, EncodeThenDecodeGivesBackEveryField) {
    ReaderSettings settings;
    settings.trackEnabled = {kGrayed, kUnchecked, kChecked};
    settings.startSentinelEnabled = kUnchecked;
    settings.startSentinel = {u"%", u"", u"\u00E9"};  // texts kept while the box is off
    settings.endSentinelEnabled = kGrayed;
    settings.endSentinel = {u"?", u"", u" "};
    settings.formatOption = {false, true};
    settings.enterOption = {false, false, false};

    const auto file = encodeSettingsFile(settings);
    ASSERT_TRUE(std::holds_alternative<std::string>(file));
    EXPECT_NE(std::get<std::string>(file).find("\xE9\r\n"), std::string::npos);  // one Latin-1 byte
    EXPECT_EQ(decoded(std::get<std::string>(file)), settings);
}

TEST(SettingsFileEncodeTest, RefusesSentinelsItCannotWriteNamingTheField) {
    struct Case {
        std::u16string text;
        SentinelField field;
    };
    const Case cases[] = {
        {u"\r", {SentinelKind::Start, 0}},
        {u"\n", {SentinelKind::End, 2}},
        {u"\u4E2D", {SentinelKind::Start, 1}},
    };
    for (const auto& [text, field] : cases) {
        ReaderSettings settings;
        (field.kind == SentinelKind::Start ? settings.startSentinel : settings.endSentinel)[field.track] = text;
        const auto result = encodeSettingsFile(settings);
        const auto* refused = std::get_if<RefusedSentinel>(&result);
        ASSERT_NE(refused, nullptr);
        EXPECT_EQ(refused->field, field);
        EXPECT_NE(refused->message.find(fieldCaption(field)), std::u16string::npos);
    }
}

TEST(SettingsFileDecodeTest, FactoryFileDecodesToFactorySettings) {
    EXPECT_EQ(decoded(joined(kFactoryLines)), factorySettings());
}

TEST(SettingsFileDecodeTest, LineEnds) {
    EXPECT_EQ(decoded(joined(kFactoryLines, "\r")), factorySettings());
    EXPECT_EQ(decoded(joined(kFactoryLines, "\n")), factorySettings());
    EXPECT_EQ(decoded("\xEF\xBB\xBF" + joined(kFactoryLines, "\n")), factorySettings());
    // LF CR is two line ends, not one.
    EXPECT_EQ(decodeError(joined(kFactoryLines, "\n\r")).line, 2);
    std::string lastLineUnended = joined(kFactoryLines);
    lastLineUnended.resize(lastLineUnended.size() - 2);
    EXPECT_EQ(decoded(lastLineUnended), factorySettings());
}

TEST(SettingsFileDecodeTest, TooFewLines) {
    const SettingsFileError fifteen = decodeError(joined(Lines(kFactoryLines.begin(), kFactoryLines.end() - 1)));
    EXPECT_EQ(fifteen.kind, SettingsFileError::Kind::TooFewLines);
    EXPECT_EQ(fifteen.line, 15);

    EXPECT_EQ(decodeError("").line, 0);
}

TEST(SettingsFileDecodeTest, LinesAfterTheSixteenthAreIgnored) {
    Lines lines = kFactoryLines;
    lines.push_back("not a setting");
    EXPECT_EQ(decoded(joined(lines)), factorySettings());
}

TEST(SettingsFileDecodeTest, BadLineIsNamedWithWhatItShouldHold) {
    struct Case {
        std::size_t line;
        std::string text;
        std::u16string message;
    };
    const Case cases[] = {
        {2, "abc", u"line 2 must be 0, 1 or 2"},
        {4, "3", u"line 4 must be 0, 1 or 2"},
        {1, "", u"line 1 must be 0, 1 or 2"},
        {16, "yes", u"line 16 must be True or False"},
    };
    for (const auto& [line, text, message] : cases) {
        const SettingsFileError error = decodeError(joined(factoryLinesWith(line, text)));
        EXPECT_EQ(error.kind, SettingsFileError::Kind::BadLine) << text;
        EXPECT_EQ(error.line, static_cast<int>(line)) << text;
        EXPECT_EQ(error.message, message) << text;
    }
    EXPECT_EQ(decodeError(joined(Lines(kFactoryLines.begin(), kFactoryLines.end() - 1))).message, u"15 of 16 lines");
}

TEST(SettingsFileDecodeTest, GrayedSentinelStateOnLine4) {
    EXPECT_EQ(decoded(joined(factoryLinesWith(4, "2"))).startSentinelEnabled, kGrayed);
}

// How a value reads on a check line (line 4) and on an option line (line 12); nullopt where it is refused.
TEST(SettingsFileDecodeTest, NumberForms) {
    struct Case {
        std::string text;
        std::optional<CheckState> check;
        std::optional<bool> option;
    };
    const Case cases[] = {
        {"1", kChecked, true},
        {" 1", kChecked, true},
        {"1\t ", kChecked, true},
        {"01", kChecked, true},
        {"+1", kChecked, true},
        {"-0", kUnchecked, false},
        {"002", kGrayed, true},
        {"-1", std::nullopt, true},
        {"99999999999999999999", std::nullopt, true},
        {"1.0", std::nullopt, std::nullopt},
        {"0.5", std::nullopt, std::nullopt},
        {"1e0", std::nullopt, std::nullopt},
        {"1 1", std::nullopt, std::nullopt},
        {"+", std::nullopt, std::nullopt},
        {" ", std::nullopt, std::nullopt},
        {"True ", std::nullopt, true},
        {"tRUE", std::nullopt, true},
        {" fALSE", std::nullopt, false},
    };
    for (const auto& [text, check, option] : cases) {
        if (check) {
            EXPECT_EQ(decoded(joined(factoryLinesWith(4, text))).startSentinelEnabled, *check) << text;
        } else {
            EXPECT_EQ(decodeError(joined(factoryLinesWith(4, text))).line, 4) << text;
        }
        Lines lines = factoryLinesWith(12, text);
        lines[12] = "False";
        if (option) {
            EXPECT_EQ(decoded(joined(lines)).formatOption[0], *option) << text;
        } else {
            EXPECT_EQ(decodeError(joined(lines)).line, 12) << text;
        }
    }
}

TEST(SettingsFileDecodeTest, LastTrueLineOfAGroupWins) {
    Lines lines = kFactoryLines;
    lines[11] = "True";
    lines[12] = "True";
    lines[13] = "False";
    lines[14] = "False";
    lines[15] = "False";
    const ReaderSettings settings = decoded(joined(lines));
    EXPECT_EQ(settings.formatOption, (std::array<bool, 2>{false, true}));
    EXPECT_EQ(settings.enterOption, (std::array<bool, 3>{false, false, false}));
}

TEST(SettingsFileDecodeTest, SentinelLineKeepsItsFirstCharacter) {
    EXPECT_EQ(decoded(joined(factoryLinesWith(10, "%ab"))).endSentinel[1], u"%");
    EXPECT_EQ(decoded(joined(factoryLinesWith(5, "\xA7x"))).startSentinel[0], u"\u00A7");
}

TEST(SettingsFileContradictionTest, NamesTheLinesOfEachContradiction) {
    struct Case {
        Lines lines;
        std::vector<std::vector<int>> expected;
    };
    Lines bothFormats = factoryLinesWith(13, "True");
    Lines twoEnterModes = factoryLinesWith(14, "1");
    Lines noEnterMode = factoryLinesWith(15, "False");
    Lines startOff = factoryLinesWith(6, ";");
    Lines endGrayed = factoryLinesWith(8, "2");
    endGrayed[10] = "?";
    Lines wide = factoryLinesWith(4, "1");
    wide[4] = "%%";
    const Case cases[] = {
        {kFactoryLines, {}},           {factoryLinesWith(12, "False"), {{12, 13}}},
        {bothFormats, {{12, 13}}},     {twoEnterModes, {{14, 15}}},
        {noEnterMode, {{14, 15, 16}}}, {startOff, {{4, 6}}},
        {endGrayed, {{8, 11}}},        {wide, {{5}}},
    };
    for (const auto& [lines, expected] : cases) {
        std::vector<std::vector<int>> found;
        for (const auto& contradiction : findContradictions(joined(lines))) found.push_back(contradiction.lines);
        EXPECT_EQ(found, expected) << joined(lines);
    }
}

}  // namespace
}  // namespace cdr
