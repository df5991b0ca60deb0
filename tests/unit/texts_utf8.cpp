// The texts table compiled a second time, as UTF-8 (this file alone is built with that execution
// character set), so that each text can be converted exactly and compared with the bytes the
// build made of it.
#include "tests/unit/texts_utf8.h"

#include "core/text_table.h"

namespace {

#define VARNEL_TEXT_ROW(name, text) {#name, text},
const TextAsUtf8 kRows[] = {VARNEL_TEXTS(VARNEL_TEXT_ROW)};
#undef VARNEL_TEXT_ROW

}  // namespace

const TextAsUtf8* TextsAsUtf8(std::size_t* count) {
    *count = sizeof kRows / sizeof kRows[0];
    return kRows;
}
