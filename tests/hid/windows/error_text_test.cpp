#include "hid/windows/error_text.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <nlohmann/json.hpp>

namespace cdr::hid {
namespace {

TEST(GetErrorText, GivesTheSystemMessageWithoutItsLineBreak) {
    for (const DWORD code :
         {ERROR_SUCCESS, ERROR_FILE_NOT_FOUND, ERROR_ACCESS_DENIED, ERROR_INVALID_HANDLE, ERROR_IO_PENDING}) {
        const std::string text = GetErrorText(code);
        SCOPED_TRACE(code);
        ASSERT_FALSE(text.empty());
        EXPECT_NE(text.back(), '\n');
        EXPECT_NE(text.back(), '\r');
    }
}

TEST(GetErrorText, KeepsAnInsertPlaceholderInsteadOfReadingArguments) {
    const std::string text = GetErrorText(ERROR_BAD_EXE_FORMAT);
    EXPECT_NE(text.find("%1"), std::string::npos) << text;
}

TEST(GetErrorText, IsEmptyForACodeWithoutMessage) {
    // Bit 29 marks codes defined by applications; the system has no text for them.
    EXPECT_EQ(GetErrorText(0x20001234u), "");
}

// Texts go on into JSON, which takes nothing but UTF-8: a message in the ANSI code page would make it throw.
TEST(GetErrorText, GivesALocalizedMessageInUtf8) {
    const std::string text = GetErrorText(ERROR_ACCESS_DENIED, MAKELANGID(LANG_FRENCH, SUBLANG_FRENCH));
    EXPECT_EQ(text, "Acc\xC3\xA8s refus\xC3\xA9.");
    const nlohmann::json reason = {{"reason", text}};
    EXPECT_NO_THROW(reason.dump());
}

}  // namespace
}  // namespace cdr::hid
