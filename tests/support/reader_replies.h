#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace cdr::test {

using Bytes = std::vector<std::uint8_t>;

// A reply of the given length whose status byte is `status`, zeros elsewhere.
Bytes replyWithStatus(std::size_t length, std::uint8_t status);

}  // namespace cdr::test
