#include "runtime/win32/text.h"

#include "runtime/win32/windows_api.h"

namespace varn::win32 {

std::wstring Widen(std::string_view utf8) {
    if (utf8.empty())
        return {};
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), nullptr, 0);
    std::wstring wide(std::size_t(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), wide.data(), length);
    return wide;
}

std::string Narrow(std::wstring_view utf16) {
    if (utf16.empty())
        return {};
    const int length = WideCharToMultiByte(CP_UTF8, 0, utf16.data(), int(utf16.size()), nullptr, 0,
                                           nullptr, nullptr);
    std::string narrow(std::size_t(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, utf16.data(), int(utf16.size()), narrow.data(), length, nullptr,
                        nullptr);
    return narrow;
}

std::string LastErrorText(const char* call) {
    const DWORD code = GetLastError();
    std::string text = std::string(call) + " failed";
    wchar_t* message = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&message), 0, nullptr);
    if (length > 0 && message != nullptr) {
        std::wstring_view words(message, length);
        while (!words.empty() && (words.back() == L'\n' || words.back() == L'\r' ||
                                  words.back() == L' ' || words.back() == L'.'))
            words.remove_suffix(1);
        text += ": " + Narrow(words);
    }
    LocalFree(message);
    return text + " (error " + std::to_string(code) + ")";
}

} // namespace varn::win32
