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

const Named* All(std::size_t* count) {
#define VARNEL_TEXT_NAMED(name, text) {#name, name},
    static constexpr Named kAll[] = {VARNEL_TEXTS(VARNEL_TEXT_NAMED)};
#undef VARNEL_TEXT_NAMED
    *count = sizeof kAll / sizeof kAll[0];
    return kAll;
}

}  // namespace texts
