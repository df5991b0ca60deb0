// The name text written for the user to edit in another tool, and the readers that take the
// edited text back line by line.

#include "exchange/name_text.h"

#include <utility>

#include "core/mbcs.h"
#include "core/rename_list.h"
#include "core/window_port.h"
#include "platform/clipboard.h"
#include "platform/text.h"
#include "platform/text_file.h"
#include "ui/app_context.h"

namespace {

constexpr const char kLineBreak[] = "\r\n";

constexpr const char kFooterRule[] =
    "//////////////////////////////////////////////////////////////////";
constexpr const char kFooterHeading[] = "// 説明と注意";
constexpr const char kFooterEachLine[] =
    "// ・各行のテキストが各ファイル名に対応しています。必要な部分を書き換え、";
constexpr const char kFooterSaveThenInput[] =
    "// 　保存したのち、Varnelへ入力してください。（設定によっては自動的に入力されます）";
constexpr const char kFooterInput[] = "// 　Varnelへ入力してください。";
constexpr const char kFooterTooFew[] =
    "// ・行数が足りないとVarnelへの入力に失敗します。（この説明文より上の）";
constexpr const char kFooterKeepCount[] = "// 　行数が変わらないように注意してください。";
constexpr const char kFooterSaveAsIs[] =
    "// ・余分な行は無視されるため、この説明文はそのまま保存してもかまいません。";
constexpr const char kFooterInputAsIs[] =
    "// ・余分な行は無視されるため、この説明文ごと入力してもかまいません。";

// The footer lines common to both variants, as an editor writes them when it saves the file in
// UTF-8. Finding one tells a UTF-8 file without byte-order mark from a cp932 one; the Japanese
// text makes a chance match in a cp932 file practically impossible.
constexpr const char* kUtf8FooterLines[] = {
    u8"// 説明と注意",
    u8"// ・各行のテキストが各ファイル名に対応しています。",
    u8"// ・行数が足りないとVarnelへの入力に失敗します。",
    u8"// 　行数が変わらないように注意してください。",
};

bool StartsWith(const std::string& s, const char* prefix) {
    return s.compare(0, std::char_traits<char>::length(prefix), prefix) == 0;
}

bool HasUtf8Footer(const std::string& bytes) {
    for (const char* line : kUtf8FooterLines) {
        if (bytes.find(line) != std::string::npos) {
            return true;
        }
    }
    return false;
}

// Converts line by line (lines ended by LF, which every encoding here keeps as one unit), so that
// a failure can name its line; LF and CR convert to themselves, so the joined result is the
// conversion of the whole text.
template <typename Text, typename Convert>
bool ConvertLines(const Text& source, typename Text::value_type lineFeed, bool lastIncomplete,
                  Convert convert, std::string* text, unsigned* badLine) {
    text->clear();
    unsigned line = 1;
    for (std::size_t start = 0;; ++line) {
        const std::size_t end = source.find(lineFeed, start);
        const bool last = end == Text::npos;
        std::string converted;
        if (!convert(source.substr(start, last ? Text::npos : end - start), &converted) ||
            (last && lastIncomplete)) {
            *badLine = line;
            text->clear();
            return false;
        }
        *text += converted;
        if (last) {
            return true;
        }
        *text += '\n';
        start = end + 1;
    }
}

bool FromUtf16(const std::string& bytes, bool littleEndian, std::string* text, unsigned* badLine) {
    std::u16string units;
    units.reserve(bytes.size() / 2);
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        units += static_cast<char16_t>(littleEndian ? first | second << 8 : first << 8 | second);
    }
    // A byte left over is half a character.
    const bool incomplete = bytes.size() % 2 != 0;
    return ConvertLines(units, u'\n', incomplete, platform::Utf16ToCp932, text, badLine);
}

}  // namespace

std::string FileFooterText() {
    std::string footer;
    for (const char* line : {kFooterRule, kFooterHeading, kFooterEachLine, kFooterSaveThenInput,
                             kFooterTooFew, kFooterKeepCount, kFooterSaveAsIs}) {
        footer += line;
        footer += kLineBreak;
    }
    return footer;
}

std::string ClipboardFooterText() {
    std::string footer;
    for (const char* line : {kFooterRule, kFooterHeading, kFooterEachLine, kFooterInput,
                             kFooterTooFew, kFooterKeepCount}) {
        footer += line;
        footer += kLineBreak;
    }
    return footer + kFooterInputAsIs;
}

std::string RenameList::ExportedNames(NameKind kind, bool allRows) {
    std::string text;
    for (unsigned i = 0; i < Count(); ++i) {
        if (allRows || window_port::IsRowSelected(context, i)) {
            text += At(i).DisplayName(kind);
            text += kLineBreak;
        }
    }
    return text;
}

int RenameList::ExportToFile(const std::string& path, NameKind kind, bool allRows) {
    const std::string text = ExportedNames(kind, allRows) + FileFooterText();
    return platform::WriteWholeFile(mbcs::ToSlashForm(path), text) ? 0 : 1;
}

int RenameList::ExportToClipboard(NameKind kind, bool allRows) {
    std::string text = ExportedNames(kind, allRows);
    // A selection is copied to be pasted elsewhere, without instructions.
    if (allRows) {
        text += ClipboardFooterText();
    }
    platform::PutClipboardText(context ? context->mainWindow : nullptr, text);
    return 0;
}

std::string ClipboardFirstLine(WindowHandle owner) {
    std::string text;
    if (!platform::GetClipboardText(owner, &text)) {
        return "";
    }
    return ClipboardLineReader(std::move(text)).Read();
}

FileLineReader::FileLineReader(std::string fileText) : text(std::move(fileText)) {}

std::string FileLineReader::Read() {
    const std::size_t lineFeed = text.find('\n', position);
    if (lineFeed == std::string::npos) {
        std::string line = text.substr(position < text.size() ? position : text.size());
        position = text.size();
        endReached = true;
        return line;
    }
    std::size_t end = lineFeed;
    if (end > position && text[end - 1] == '\r') {
        --end;
    }
    std::string line = text.substr(position, end - position);
    position = lineFeed + 1;
    return line;
}

ClipboardLineReader::ClipboardLineReader(std::string clipboardText)
    : text(std::move(clipboardText)) {}

std::string ClipboardLineReader::Read() {
    std::size_t end = position;
    while (end < text.size() && text[end] != '\r' && text[end] != '\n') {
        end += mbcs::CharLength(text, end);
    }
    if (end >= text.size()) {
        std::string line = text.substr(position < text.size() ? position : text.size());
        position = text.size();
        return line;
    }
    std::string line = text.substr(position, end - position);
    position = end + 1;
    if (text[end] == '\r' && position < text.size() && text[position] == '\n') {
        ++position;
    }
    return line;
}

bool DecodeNameFile(const std::string& bytes, std::string* text, NameFileEncoding* encoding,
                    unsigned* badLine) {
    *badLine = 0;
    if (StartsWith(bytes, "\xFF\xFE") || StartsWith(bytes, "\xFE\xFF")) {
        const bool littleEndian = bytes[0] == '\xFF';
        *encoding = littleEndian ? NameFileEncoding::Utf16Le : NameFileEncoding::Utf16Be;
        return FromUtf16(bytes, littleEndian, text, badLine);
    }
    const bool bom = StartsWith(bytes, "\xEF\xBB\xBF");
    if (bom || HasUtf8Footer(bytes)) {
        *encoding = NameFileEncoding::Utf8;
        return ConvertLines(bytes.substr(bom ? 3 : 0), '\n', false, platform::Utf8ToCp932, text,
                            badLine);
    }
    *encoding = NameFileEncoding::Cp932;
    *text = bytes;
    return true;
}
