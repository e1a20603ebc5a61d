// A small Windows program over the Qt-free Windows calls, linked by
// scripts/cross-check-windows.sh to show that every call resolves. On Windows it reads where
// the system-information tool is, as the About window's button does, and the window colour.
#include <cstdio>
#include <vector>

#include "ui/win32/win32_calls.h"

int main() {
    using namespace vapomet::win32;
    constexpr std::uint32_t kLocalMachine = 0x80000002u;
    constexpr std::uint32_t kRead = 0x20019u;  // KEY_READ
    constexpr std::uint32_t kString = 1;       // REG_SZ

    KeyHandle key = 0;
    std::vector<char> path(1024, '\0');
    std::uint32_t size = static_cast<std::uint32_t>(path.size()) - 1;
    std::uint32_t type = 0;
    bool found = false;
    if (OpenKey(kLocalMachine, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", kRead, key)) {
        found = QueryValue(key, "PATH", type, path.data(), size) && type == kString;
    }
    CloseKey(key);
    std::printf("system information: %s\n", found ? path.data() : "(not found)");

    const Rgb window = SystemColour(5);
    std::printf("window colour: %u %u %u\n", window.red, window.green, window.blue);

    return found ? 0 : 1;
}
