// What the book says about a painter that ended: the painter's own words
// when it gave any, for a person who never sees a terminal.
#include "book/painter_run.h"

std::string Painter_outcome_message(const Painter_outcome& outcome, const std::string& painter)
{
    std::string errors = outcome.errors;
    while (!errors.empty() && (errors.back() == '\n' || errors.back() == '\r'))
        errors.pop_back();
    if (!outcome.started)
        return errors.empty() ? "Tintora: cannot start the painter " + painter : errors;
    if (outcome.status == 0)
        return "";
    if (!errors.empty())
        return errors;
    return "Tintora: the painter ended with status " + std::to_string(outcome.status);
}
