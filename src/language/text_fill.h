// A translated sentence with its values put in: "{name}" in the sentence
// stands for the value of that name, so a translation may put the values in
// any order it needs. Plain logic, the same on every platform.
#pragma once
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

struct Text_value {
    std::string_view name;
    std::string value;
};

// A "{" that names no value is left as it stands, so a mistake in a
// translation shows in the message instead of losing it.
std::string Text_fill(std::string_view sentence, std::initializer_list<Text_value> values);
