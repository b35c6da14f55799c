#include "link/port_candidates.h"

#include <windows.h>

#include <algorithm>

namespace {

std::string Utf8(const wchar_t* text, std::size_t length) {
    if (length == 0) {
        return {};
    }
    const int wideLength = static_cast<int>(length);
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, text, wideLength, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(std::max(size, 0)), '\0');
    if (size > 0) {
        WideCharToMultiByte(CP_UTF8, 0, text, wideLength, out.data(), size, nullptr, nullptr);
    }
    return out;
}

}  // namespace

std::vector<std::string> SystemPortCandidates() {
    std::vector<std::string> names;
    HKEY key = nullptr;
    // Every serial port driver, built-in or USB, lists its ports here while they are present.
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_QUERY_VALUE,
                      &key) != ERROR_SUCCESS) {
        return names;
    }
    for (DWORD index = 0;; ++index) {
        wchar_t valueName[256];
        DWORD valueNameLength = 256;
        wchar_t port[64];
        DWORD portBytes = sizeof port;
        DWORD type = 0;
        const LONG result = RegEnumValueW(key, index, valueName, &valueNameLength, nullptr, &type,
                                          reinterpret_cast<BYTE*>(port), &portBytes);
        if (result == ERROR_NO_MORE_ITEMS) {
            break;
        }
        if (result != ERROR_SUCCESS || type != REG_SZ) {
            continue;  // too long to be a port name, or not a name at all
        }
        std::size_t length = portBytes / sizeof(wchar_t);
        while (length > 0 && port[length - 1] == L'\0') {
            --length;  // the stored terminator, if any
        }
        if (length > 0) {
            names.push_back(Utf8(port, length));
        }
    }
    RegCloseKey(key);
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return NaturalLess(a, b); });
    names.erase(std::unique(names.begin(), names.end()), names.end());
    return names;
}

bool PortDevicePresent(const std::string&) {
    return true;
}

std::vector<std::string> StablePortAliases(const std::string&) {
    return {};
}
