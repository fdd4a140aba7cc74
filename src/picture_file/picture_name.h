// The names a new picture may be given, one rule on every platform so that a
// picture made on one opens on another: letters and digits of any script and
// '-', no '.', and not a name Windows keeps for a device (CON, NUL, COM1,
// ...), which no file there can have whatever follows it.
#pragma once
#include <string>
#include <string_view>

// Whether `stem` (a file name without its ".txt") names a Windows device:
// CON, PRN, AUX, NUL, COM0-COM9 and LPT0-LPT9 (also with the superscript
// digits ¹ ² ³), in any case, alone or before a '.', and with trailing
// blanks or dots, which Windows drops.
bool Name_device_is(std::string_view stem);

// Empty when `name` (UTF-8) may name a new picture, else why not, in words
// for the person typing it.
std::string Picture_name_problem(std::string_view name);

// A name for a new picture made from its title, for the person to take or
// change: "A ball" offers "a-ball". Letters are put in lower case, blanks
// (and '_') between words become one '-', and every other character a name
// cannot have is left out; the name is cut at the length limit. When
// nothing is left, or the name is one Windows keeps for a device, it is
// `otherwise`.
std::string Picture_name_offer(std::string_view title, std::string_view otherwise);
