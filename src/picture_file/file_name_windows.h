// Names Windows never opens as a file, judged by the last part of a path
// alone, before anything is opened.
#pragma once
#include <string_view>

// CON, PRN, AUX, NUL, CONIN$, CONOUT$, COM0-COM9 and LPT0-LPT9 (with the
// superscript digits), in any case, with any extension and blanks before it.
bool Device_name(std::wstring_view path);
// A ':' after the drive: a stream of another file ("owl.txt:hidden").
bool Stream_name(std::wstring_view path);
