// Keeping the selection on its picture across a new listing: pictures are
// told apart by name and whether they are the person's own (the "New
// picture" card is the entry with no name).
#include "book/picture_reselect.h"
#include <algorithm>

namespace {

bool Same_picture(const Picture_entry& a, const Picture_entry& b)
{
    return a.name == b.name && a.own == b.own;
}

int Index_of(const std::vector<Picture_entry>& list, auto&& wanted)
{
    const auto found = std::find_if(list.begin(), list.end(), wanted);
    return found == list.end() ? -1 : static_cast<int>(found - list.begin());
}

}  // namespace

int Picture_reselect(const std::vector<Picture_entry>& before, int selected, const std::vector<Picture_entry>& after)
{
    if (after.empty())
        return 0;
    const int added = Index_of(after, [&](const Picture_entry& entry) {
        return std::none_of(before.begin(), before.end(),
                            [&](const Picture_entry& old) { return Same_picture(old, entry); });
    });
    if (added >= 0)
        return added;
    if (selected >= 0 && selected < static_cast<int>(before.size())) {
        const Picture_entry& was = before[static_cast<std::size_t>(selected)];
        const int same = Index_of(after, [&](const Picture_entry& entry) { return Same_picture(entry, was); });
        if (same >= 0)
            return same;
        const int named = Index_of(after, [&](const Picture_entry& entry) { return entry.name == was.name; });
        if (named >= 0)
            return named;
    }
    return std::clamp(selected, 0, static_cast<int>(after.size()) - 1);
}
