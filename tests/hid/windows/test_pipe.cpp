#include "test_pipe.h"

#include <gtest/gtest.h>

namespace cdr::hid::test {
namespace {

std::string uniquePipePath() {
    static int created = 0;
    return "\\\\.\\pipe\\cdr-hid-test-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++created);
}

constexpr DWORD kPipeBufferBytes = 4096;

// The one instance of the pipe, waiting for a client.
HANDLE createServer(const std::string& path) {
    const HANDLE server =
        CreateNamedPipeA(path.c_str(), PIPE_ACCESS_DUPLEX, PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT, 1,
                         kPipeBufferBytes, kPipeBufferBytes, 0, nullptr);
    EXPECT_NE(server, INVALID_HANDLE_VALUE) << "CreateNamedPipeA failed with " << GetLastError();
    return server;
}

}  // namespace

TestPipe::TestPipe() : path_(uniquePipePath()), server_(createServer(path_)) {}

void TestPipe::reopenAfterClientClosed() {
    if (!clientClosed()) return;
    CloseHandle(server_);
    server_ = createServer(path_);
}

TestPipe::~TestPipe() {
    if (server_ != INVALID_HANDLE_VALUE) CloseHandle(server_);
}

void TestPipe::send(std::span<const std::uint8_t> bytes) {
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(server_, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr))
        << "WriteFile failed with " << GetLastError();
    ASSERT_EQ(written, bytes.size());
}

std::vector<std::uint8_t> TestPipe::takeReceived() {
    DWORD available = 0;
    if (!PeekNamedPipe(server_, nullptr, 0, nullptr, &available, nullptr) || available == 0) return {};
    std::vector<std::uint8_t> bytes(available);
    DWORD read = 0;
    EXPECT_TRUE(ReadFile(server_, bytes.data(), available, &read, nullptr));
    bytes.resize(read);
    return bytes;
}

void TestPipe::disconnect() {
    ASSERT_TRUE(DisconnectNamedPipe(server_)) << "DisconnectNamedPipe failed with " << GetLastError();
}

bool TestPipe::clientClosed() const {
    DWORD available = 0;
    return !PeekNamedPipe(server_, nullptr, 0, nullptr, &available, nullptr) && GetLastError() == ERROR_BROKEN_PIPE;
}

}  // namespace cdr::hid::test
