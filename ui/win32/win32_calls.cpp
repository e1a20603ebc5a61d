#include "ui/win32/win32_calls.h"

#ifdef _WIN32
#include <windows.h>

#include <vector>

namespace vapomet::win32 {

bool OpenKey(std::uint32_t root, const std::string& keyName, std::uint32_t access,
             KeyHandle& key) {
    HKEY opened = nullptr;
    const LONG status = RegOpenKeyExA(reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(root)),
                                      keyName.c_str(), 0, access, &opened);
    key = reinterpret_cast<KeyHandle>(opened);
    return status == ERROR_SUCCESS;
}

bool QueryValue(KeyHandle key, const std::string& valueName, std::uint32_t& type, char* buffer,
                std::uint32_t& size) {
    DWORD valueType = 0;
    DWORD bytes = size;
    const LONG status = RegQueryValueExA(reinterpret_cast<HKEY>(key), valueName.c_str(), nullptr,
                                         &valueType, reinterpret_cast<BYTE*>(buffer), &bytes);
    type = valueType;
    size = bytes;
    return status == ERROR_SUCCESS;
}

void CloseKey(KeyHandle key) {
    if (key != 0) RegCloseKey(reinterpret_cast<HKEY>(key));
}

bool StartProgram(const std::string& path) {
    // The command line is the program's path in quotes, so that blanks in it belong to it;
    // CreateProcess may write into the line, so it is a buffer of its own.
    std::vector<char> commandLine;
    commandLine.push_back('"');
    commandLine.insert(commandLine.end(), path.begin(), path.end());
    commandLine.push_back('"');
    commandLine.push_back('\0');

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    // A program of the console gets a console of its own unless this program has one.
    const DWORD flags = GetConsoleWindow() != nullptr ? 0 : CREATE_NEW_CONSOLE;
    if (!CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, flags,
                        nullptr, nullptr, &startup, &process)) {
        return false;
    }
    // Not waited for: the handles are not needed.
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

Rgb SystemColour(int index) {
    const DWORD rgb = GetSysColor(index);
    return {GetRValue(rgb), GetGValue(rgb), GetBValue(rgb)};
}

}  // namespace vapomet::win32

#endif  // _WIN32
