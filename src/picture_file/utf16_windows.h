// Text between the program's UTF-8 and Windows' wide-character calls, the
// only ones that take a name in any script (the ANSI calls turn what the
// code page lacks into '?').
#pragma once
#include <windows.h>
#include <string>
#include <string_view>

std::wstring Wide_of(std::string_view utf8);
std::string Utf8_of(std::wstring_view wide);
// Windows' own words for an error code, without the line end, or "error N".
std::string System_message(DWORD code);
