#pragma once

#include <windows.h>

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace cdr::hid::test {

// A named pipe that stands in for a device: the test holds the server end, the platform under test opens the
// client end by path. A client read waits until the test sends something, so a device that never answers is
// simply a pipe the test never writes to.
class TestPipe {
public:
    TestPipe();
    ~TestPipe();
    TestPipe(const TestPipe&) = delete;
    TestPipe& operator=(const TestPipe&) = delete;

    const std::string& path() const { return path_; }
    // Sends bytes to the connected client.
    void send(std::span<const std::uint8_t> bytes);
    // Takes whatever the client has written so far, without waiting.
    std::vector<std::uint8_t> takeReceived();
    // Ends the connection from the device's side, as a device that was pulled out: the client's reads fail.
    void disconnect();
    // True once a client connected and closed its end again.
    bool clientClosed() const;
    // A pipe serves one client: once that client closed its end, a new pipe of the same path waits for the next.
    void reopenAfterClientClosed();

private:
    std::string path_;
    HANDLE server_;
};

}  // namespace cdr::hid::test
