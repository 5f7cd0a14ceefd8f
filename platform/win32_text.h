// UTF-8 to UTF-16 and back at the boundary of the wide Windows APIs.
#pragma once
#include <string>

namespace lumaset {

std::wstring toWide(const std::string& utf8);
std::string fromWide(const std::wstring& utf16);
std::string fromWide(const wchar_t* utf16);

}  // namespace lumaset
