// Starts a program, prints the caption of its first visible top-level window once the program waits for input,
// and closes that window again. The package check uses it to see that an installed window program opens.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

constexpr DWORD kStartTimeoutMs = 30000;

struct WindowSearch {
    DWORD processId = 0;
    std::wstring caption;
    bool found = false;
};

BOOL CALLBACK takeFirstWindow(HWND window, LPARAM context) {
    auto& search = *reinterpret_cast<WindowSearch*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search.processId || !IsWindowVisible(window)) return TRUE;
    wchar_t caption[256] = {};
    GetWindowTextW(window, caption, static_cast<int>(std::size(caption)));
    search.caption = caption;
    search.found = true;
    PostMessageW(window, WM_CLOSE, 0, 0);
    return FALSE;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: first_window_caption PROGRAM\n");
        return 2;
    }
    std::string commandLine = "\"" + std::string(argv[1]) + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        std::fprintf(stderr, "cannot start %s: error %lu\n", argv[1], GetLastError());
        return 1;
    }
    WindowSearch search;
    search.processId = process.dwProcessId;
    if (WaitForInputIdle(process.hProcess, kStartTimeoutMs) == 0) {
        EnumWindows(takeFirstWindow, reinterpret_cast<LPARAM>(&search));
    }
    if (!search.found) TerminateProcess(process.hProcess, 1);
    WaitForSingleObject(process.hProcess, kStartTimeoutMs);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    if (!search.found) {
        std::fprintf(stderr, "%s showed no window\n", argv[1]);
        return 1;
    }
    std::printf("%ls\n", search.caption.c_str());
    return 0;
}
