// Every text of the table by its name, as the UTF-8 of the source.
#pragma once

#include <cstddef>

struct TextAsUtf8 {
    const char* name;
    const char* utf8;
};

const TextAsUtf8* TextsAsUtf8(std::size_t* count);
