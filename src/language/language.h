// The person's language for what the helper programs say (the checker, the
// book, the maker; never the painter, whose words are its own). Every such
// text goes through _() where it is used, N_() marks one kept in a table
// and translated when shown, Text_plural a sentence with a number in it.
// The catalogues are made from po/ (docs/translating.md).
#pragma once

// Chooses the person's language for messages, and only for messages: the
// numbers a picture holds are read and written the same in every language.
// Call once, first thing in main.
void Language_start();

// The message in the chosen language, or the English given when there is
// no translation.
const char* Text_of(const char* english);

// The form of a sentence that fits the number: `one` and `many` are the
// English forms; other languages have as many forms as they need.
const char* Text_plural(const char* one, const char* many, unsigned long count);

#define _(english) Text_of(english)
#define N_(english) english
