#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "win32/settings_file_dialog.h"

namespace cdr::win32 {

// Answers a file dialog at once with a prepared path, and keeps what it was asked.
class AnsweringDialogs final : public FileDialogRunner {
public:
    explicit AnsweringDialogs(std::optional<std::wstring> answer) : answer_(std::move(answer)) {}

    std::optional<std::wstring> run(HWND owner, const FileDialogRequest& request) override {
        asked.emplace_back(owner, request);
        return answer_;
    }

    std::vector<std::pair<HWND, FileDialogRequest>> asked;

private:
    std::optional<std::wstring> answer_;
};

}  // namespace cdr::win32
