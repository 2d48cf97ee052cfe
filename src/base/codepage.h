#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace base {

// The system code page: Windows-1252, with its five unassigned bytes (0x81, 0x8D, 0x8F,
// 0x90, 0x9D) taken as the C1 controls of the same value, so every byte round-trips.

// Bytes in the code page to UTF-8.
std::string DecodeCodePage(std::string_view bytes);
// UTF-8 to bytes in the code page. A character the page cannot hold, and every byte of
// malformed UTF-8, becomes '?'.
std::string EncodeCodePage(std::string_view utf8);
// One byte as a UTF-8 character.
std::string ByteChar(uint8_t byte);

}  // namespace base
