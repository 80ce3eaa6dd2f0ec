// Text between the scene tables (UTF-8) and the Windows API (UTF-16), and the
// system's own words for a failed call.
#pragma once

#include <string>
#include <string_view>

namespace varn::win32 {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

// "CreateWindowExW failed: <the system's message> (error N)", from
// GetLastError(); read it right after the call that failed.
std::string LastErrorText(const char* call);

} // namespace varn::win32
