#include "settings/settings_file.h"

#include <gtest/gtest.h>

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
    std::string lastLineUnended = joined(kFactoryLines);
    lastLineUnended.resize(lastLineUnended.size() - 2);
    EXPECT_EQ(decoded(lastLineUnended), factorySettings());
}

TEST(SettingsFileDecodeTest, TooFewLines) {
    const SettingsFileError lfOnly = decodeError(joined(kFactoryLines, "\n"));
    EXPECT_EQ(lfOnly.kind, SettingsFileError::Kind::TooFewLines);
    EXPECT_EQ(lfOnly.line, 1);

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
        std::u16string expected;
    };
    const std::u16string kCheck = u"0, 1 or 2";
    const std::u16string kOption = u"True, False or a number";
    const Case cases[] = {
        {2, "abc", kCheck}, {4, "3", kCheck},     {1, "", kCheck},        {1, " 1", kCheck},
        {1, "+1", kCheck},  {8, "01", kCheck},    {3, "-1", kCheck},      {12, "yes", kOption},
        {13, "", kOption},  {16, "1.0", kOption}, {14, " True", kOption}, {15, "-", kOption},
    };
    for (const auto& [line, text, expected] : cases) {
        const SettingsFileError error = decodeError(joined(factoryLinesWith(line, text)));
        EXPECT_EQ(error.kind, SettingsFileError::Kind::BadLine) << text;
        EXPECT_EQ(error.line, static_cast<int>(line)) << text;
        const std::string number = std::to_string(line);
        EXPECT_NE(error.message.find(u"line " + std::u16string(number.begin(), number.end()) + u":"),
                  std::u16string::npos)
            << text;
        EXPECT_NE(error.message.find(expected), std::u16string::npos) << text;
    }
}

TEST(SettingsFileDecodeTest, GrayedSentinelStateOnLine4) {
    EXPECT_EQ(decoded(joined(factoryLinesWith(4, "2"))).startSentinelEnabled, kGrayed);
}

TEST(SettingsFileDecodeTest, OptionLinesAcceptWordsInAnyCaseAndNumbers) {
    struct Case {
        std::string text;
        bool on;
    };
    const Case cases[] = {{"True", true},   {"true", true},   {"TRUE", true}, {"-1", true}, {"7", true},
                          {"False", false}, {"fALSE", false}, {"0", false},   {"-0", false}};
    for (const auto& [text, on] : cases) {
        Lines lines = factoryLinesWith(12, text);
        lines[12] = "False";
        EXPECT_EQ(decoded(joined(lines)).formatOption, (std::array<bool, 2>{on, false})) << text;
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

}  // namespace
}  // namespace cdr
