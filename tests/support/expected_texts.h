// The messages whose variable part is rows of names, built as the checks build them, so that a
// test names the rows it expects.
#pragma once

#include <string>

#include "core/texts.h"

inline std::string RowOf(unsigned row, const std::string& name) {
    return texts::Fill(texts::kNumberedLine, {std::to_string(row), name});
}

inline std::string DuplicateText(unsigned first, const std::string& firstName, unsigned second,
                                 const std::string& secondName) {
    return texts::Fill(texts::kNamesDuplicate,
                       {RowOf(first, firstName), RowOf(second, secondName)});
}

inline std::string CannotBeMadeText(unsigned row, const std::string& name, const char* why) {
    return texts::Fill(texts::kNameCannotBeMade, {RowOf(row, name), why});
}
