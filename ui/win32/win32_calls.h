// The few calls the program makes to Windows itself, as plain C++ without Qt: the registry
// (open a key, read a value, close the key) and reading a system colour. Implemented only
// where _WIN32 is defined.
#pragma once

#include <cstdint>
#include <string>

namespace vapomet::win32 {

using KeyHandle = std::uintptr_t;

// Opens `keyName` (8-bit text of the system's code page) below the root key with the given
// access rights; false when it cannot be opened. `key` receives the handle, 0 when none.
bool OpenKey(std::uint32_t root, const std::string& keyName, std::uint32_t access, KeyHandle& key);

// Reads the value into `buffer` of `size` bytes and tells its type; false when the value is
// missing or does not fit. `size` becomes the number of bytes the value has.
bool QueryValue(KeyHandle key, const std::string& valueName, std::uint32_t& type, char* buffer,
                std::uint32_t& size);

// Closes a key opened by OpenKey; a zero handle is left alone.
void CloseKey(KeyHandle key);

// A system colour by its index, as its red, green and blue parts.
struct Rgb {
    std::uint8_t red, green, blue;
};
Rgb SystemColour(int index);

}  // namespace vapomet::win32
