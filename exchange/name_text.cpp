// The name text written for the user to edit in another tool, and the readers that take the
// edited text back line by line.

#include "exchange/name_text.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "core/mbcs.h"
#include "core/rename_list.h"
#include "core/texts.h"
#include "core/window_port.h"
#include "platform/clipboard.h"
#include "platform/message_box.h"
#include "platform/text.h"
#include "platform/text_file.h"

namespace {

constexpr const char kLineBreak[] = "\r\n";

const std::string kFooterEachLine = std::string(texts::kFooterEachLine) + texts::kFooterRewrite;
const std::string kFooterTooFew = std::string(texts::kFooterTooFew) + texts::kFooterAboveThis;

// Footer lines common to both variants, as Varnel wrote them and as an editor writes them when it
// saves the file in UTF-8. Finding one tells which of the two the file is; the Japanese text makes
// a chance match practically impossible.
const std::vector<std::string>& Cp932FooterLines() {
    static const std::vector<std::string> lines = {texts::kFooterHeading, kFooterTooFew,
                                                   texts::kFooterKeepCount};
    return lines;
}

const std::vector<std::string>& Utf8FooterLines() {
    static const std::vector<std::string> lines = [] {
        std::vector<std::string> utf8;
        for (const char* line : {texts::kFooterHeading, texts::kFooterEachLine,
                                 texts::kFooterTooFew, texts::kFooterKeepCount}) {
            std::string converted;
            if (platform::HeldToUtf8(line, &converted)) {
                utf8.push_back(std::move(converted));
            }
        }
        return utf8;
    }();
    return lines;
}

const char* WriteFailureReason(platform::WriteFailure failure) {
    switch (failure) {
        case platform::WriteFailure::FolderMissing:
            return texts::kWriteFolderMissing;
        case platform::WriteFailure::AccessDenied:
            return texts::kWriteAccessDenied;
        case platform::WriteFailure::InUse:
            return texts::kWriteInUse;
        case platform::WriteFailure::DiskFull:
            return texts::kWriteDiskFull;
        case platform::WriteFailure::BadName:
            return texts::kWriteBadName;
        case platform::WriteFailure::None:
        case platform::WriteFailure::Other:
            break;
    }
    return texts::kWriteFailed;
}

bool HasAnyLine(const std::string& bytes, const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
        if (bytes.find(line) != std::string::npos) {
            return true;
        }
    }
    return false;
}

// Well-formed UTF-8 (no overlong form, no surrogate, nothing beyond U+10FFFF) with at least one
// multi-byte sequence. Japanese cp932 text seldom passes, but a short one can.
bool IsUtf8BeyondAscii(const std::string& bytes) {
    bool multiByte = false;
    for (std::size_t i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        std::size_t length = 1;
        unsigned char low = 0x80;
        unsigned char high = 0xBF;
        if (lead < 0x80) {
            ++i;
            continue;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            low = lead == 0xE0 ? 0xA0 : 0x80;
            high = lead == 0xED ? 0x9F : 0xBF;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            low = lead == 0xF0 ? 0x90 : 0x80;
            high = lead == 0xF4 ? 0x8F : 0xBF;
        } else {
            return false;
        }
        if (i + length > bytes.size()) {
            return false;
        }
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            if (next < (k == 1 ? low : 0x80) || next > (k == 1 ? high : 0xBF)) {
                return false;
            }
        }
        multiByte = true;
        i += length;
    }
    return multiByte;
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
    return ConvertLines(units, u'\n', incomplete, platform::Utf16ToHeld, text, badLine);
}

}  // namespace

std::string FileFooterText() {
    std::string footer;
    for (const std::string& line :
         {std::string(texts::kFooterRule), std::string(texts::kFooterHeading), kFooterEachLine,
          std::string(texts::kFooterSaveThenInput), kFooterTooFew,
          std::string(texts::kFooterKeepCount), std::string(texts::kFooterSaveAsIs)}) {
        footer += line;
        footer += kLineBreak;
    }
    return footer;
}

std::string ClipboardFooterText() {
    std::string footer;
    for (const std::string& line :
         {std::string(texts::kFooterRule), std::string(texts::kFooterHeading), kFooterEachLine,
          std::string(texts::kFooterInput), kFooterTooFew, std::string(texts::kFooterKeepCount)}) {
        footer += line;
        footer += kLineBreak;
    }
    return footer + texts::kFooterInputAsIs;
}

namespace {

// The wanted entries' names, one per line.
std::string ExportedNames(const RenameList& list, NameKind kind, bool allRows) {
    std::string text;
    for (unsigned i = 0; i < list.Count(); ++i) {
        if (allRows || window_port::IsRowSelected(i)) {
            text += list.At(i).DisplayName(kind);
            text += kLineBreak;
        }
    }
    return text;
}

}  // namespace

int ExportToFile(RenameList& list, const std::string& path, NameKind kind, bool allRows) {
    std::string names = ExportedNames(list, kind, allRows);
    std::string text = names + FileFooterText();
    const bool unicode = platform::HoldsEscapes(text);
    // Names that cp932 can hold go out as they always did; any other makes the file UTF-8 with a
    // byte-order mark, which every editor on Windows reads and the import takes back exactly.
    const char* why = nullptr;
    if (unicode) {
        std::string utf8;
        if (platform::HeldToUtf8(text, &utf8)) {
            text = "\xEF\xBB\xBF" + utf8;
        } else {
            why = texts::kWriteNoUtf8;
        }
    }
    platform::WriteFailure failure = platform::WriteFailure::None;
    if (why == nullptr && !platform::WriteWholeFile(mbcs::ToSlashForm(path), text, &failure)) {
        why = WriteFailureReason(failure);
    }
    if (why != nullptr) {
        ShowMessageBox(window_port::Owner(), texts::Fill(texts::kExportFailed, {path, why}),
                       texts::kTitleExport, kMbIconError | kMbOk);
        return 1;
    }
    if (allRows) {
        list.NoteExportOfAllRows(std::move(names), unicode);
    }
    return 0;
}

int ExportToClipboard(RenameList& list, NameKind kind, bool allRows) {
    std::string text = ExportedNames(list, kind, allRows);
    // A selection is copied to be pasted elsewhere, without instructions.
    if (allRows) {
        list.NoteExportOfAllRows(text, true);
        text += ClipboardFooterText();
    }
    platform::PutClipboardText(window_port::Owner(), text);
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

bool FooterReEncoded(const std::string& bytes) {
    const std::size_t rule = bytes.find(texts::kFooterRule);
    if (rule == std::string::npos) {
        return false;
    }
    // Its lines follow the row, each starting "// " in any encoding that keeps ASCII.
    const std::size_t next = bytes.find('\n', rule);
    return next != std::string::npos && bytes.compare(next + 1, 3, "// ") == 0 &&
           !HasAnyLine(bytes, Cp932FooterLines()) && !HasAnyLine(bytes, Utf8FooterLines());
}

NameFileEncoding DetectNameFileEncoding(const std::string& bytes, bool* unsure) {
    *unsure = false;
    if (mbcs::StartsWith(bytes, "\xFF\xFE")) {
        return NameFileEncoding::Utf16Le;
    }
    if (mbcs::StartsWith(bytes, "\xFE\xFF")) {
        return NameFileEncoding::Utf16Be;
    }
    if (mbcs::StartsWith(bytes, "\xEF\xBB\xBF") || HasAnyLine(bytes, Utf8FooterLines())) {
        return NameFileEncoding::Utf8;
    }
    *unsure = !HasAnyLine(bytes, Cp932FooterLines()) && IsUtf8BeyondAscii(bytes);
    return NameFileEncoding::Cp932;
}

bool DecodeNameFile(const std::string& bytes, NameFileEncoding encoding, std::string* text,
                    unsigned* badLine) {
    *badLine = 0;
    switch (encoding) {
        case NameFileEncoding::Utf16Le:
        case NameFileEncoding::Utf16Be:
            return FromUtf16(bytes, encoding == NameFileEncoding::Utf16Le, text, badLine);
        case NameFileEncoding::Utf8:
            return ConvertLines(bytes.substr(mbcs::StartsWith(bytes, "\xEF\xBB\xBF") ? 3 : 0), '\n',
                                false, platform::Utf8ToHeld, text, badLine);
        case NameFileEncoding::Cp932:
            break;
    }
    // Read as the characters it holds, never byte for byte: 0xFF, A0 and FD-FE are no cp932 text
    // (0xFF would read as the lead of an escape), nor is a lead byte without its trail.
    return ConvertLines(bytes, '\n', false, platform::Cp932ToHeld, text, badLine);
}
