#include "core/texts.h"

namespace texts {

std::string Fill(std::string_view form, std::initializer_list<std::string_view> parts) {
    std::string filled;
    filled.reserve(form.size() + 64);
    for (std::size_t i = 0; i < form.size(); ++i) {
        const char next = i + 1 < form.size() ? form[i + 1] : '\0';
        const std::size_t part = static_cast<std::size_t>(next - '1');
        if (form[i] == '%' && next >= '1' && next <= '9' && part < parts.size()) {
            filled += parts.begin()[part];
            ++i;
        } else {
            filled += form[i];
        }
    }
    return filled;
}

std::string FirstLines(std::size_t count, std::size_t most,
                       const std::function<std::string(std::size_t)>& line, const char* more) {
    std::string text;
    for (std::size_t i = 0; i < count && i < most; ++i) {
        text += line(i);
    }
    if (count > most) {
        text += Fill(more != nullptr ? more : kMoreItems, {std::to_string(count - most)});
    }
    return text;
}

const Named* All(std::size_t* count) {
#define VARNEL_TEXT_NAMED(name, text) {#name, name},
    static constexpr Named kAll[] = {VARNEL_TEXTS(VARNEL_TEXT_NAMED)};
#undef VARNEL_TEXT_NAMED
    *count = sizeof kAll / sizeof kAll[0];
    return kAll;
}

}  // namespace texts
