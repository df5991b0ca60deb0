// Every text the program shows or writes (the table is core/text_table.h; menus and dialogs are
// in res/). A text with a variable part holds %1…%9 where Fill puts the parts. The sources are
// UTF-8; the build makes these cp932 bytes, and tests/unit/texts_test.cpp checks each against an
// exact conversion of the same text.
#pragma once

#include <cstddef>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>

#include "core/text_table.h"

namespace texts {

#define VARNEL_TEXT_CONSTANT(name, text) inline constexpr char name[] = text;
VARNEL_TEXTS(VARNEL_TEXT_CONSTANT)
#undef VARNEL_TEXT_CONSTANT

// The form with %1…%9 replaced by the parts (a part may itself hold "%1": it is not read again).
// "%" is never the trail byte of a cp932 character, so the search cannot land inside one.
std::string Fill(std::string_view form, std::initializer_list<std::string_view> parts);

struct Named {
    const char* name;
    const char* text;
};

// How many of a list a message names before it says how many more: a question the user answers
// at once, and a report that is read through.
constexpr std::size_t kNamedInQuestion = 10;
constexpr std::size_t kNamedInReport = 30;

// The first `most` of `count` lines (each made by `line`, with its own line end), then how many
// more (`more`, kMoreItems unless given, filled with that number).
std::string FirstLines(std::size_t count, std::size_t most,
                       const std::function<std::string(std::size_t)>& line,
                       const char* more = nullptr);

// Every text by its name, in the table's order.
const Named* All(std::size_t* count);

}  // namespace texts
