// Putting values into a translated sentence by their names.
#include "language/text_fill.h"

std::string Text_fill(std::string_view sentence, std::initializer_list<Text_value> values)
{
    std::string out;
    out.reserve(sentence.size());
    std::size_t k = 0;
    while (k < sentence.size()) {
        const std::size_t open = sentence.find('{', k);
        if (open == std::string_view::npos)
            break;
        const std::size_t close = sentence.find('}', open + 1);
        if (close == std::string_view::npos)
            break;
        const std::string_view name = sentence.substr(open + 1, close - open - 1);
        const Text_value* found = nullptr;
        for (const Text_value& v : values)
            if (v.name == name)
                found = &v;
        out.append(sentence.substr(k, open - k));
        if (found) {
            out += found->value;
            k = close + 1;
        } else {
            out += '{';
            k = open + 1;
        }
    }
    out.append(sentence.substr(k));
    return out;
}
