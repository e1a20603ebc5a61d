#include "ui/win32/win32_calls.h"

#ifdef _WIN32
#include <windows.h>

namespace vapomet::win32 {

bool OpenKey(std::uint32_t root, const std::string& keyName, std::uint32_t access, KeyHandle& key) {
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

Rgb SystemColour(int index) {
    const DWORD rgb = GetSysColor(index);
    return {GetRValue(rgb), GetGValue(rgb), GetBValue(rgb)};
}

}  // namespace vapomet::win32

#endif  // _WIN32
