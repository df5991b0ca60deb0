// Reading the edited names back from the IO file or the clipboard. One line per entry; every
// line is collected and checked before any edit name changes, so a stopped import leaves the list
// as it was.

#include <string>
#include <utility>
#include <vector>

#include "core/mbcs.h"
#include "core/rename_list.h"
#include "core/window_port.h"
#include "exchange/name_check.h"
#include "exchange/name_text.h"
#include "platform/clipboard.h"
#include "platform/message_box.h"
#include "platform/text_file.h"
#include "settings/setting_keys.h"
#include "settings/settings_store.h"
#include "ui/app_context.h"

namespace {

constexpr const char kFileTitle[] = "警告：ファイルの内容";
constexpr const char kClipboardTitle[] = "警告：クリップボードの内容";

// What differs between the two sources besides their line rules.
struct Source {
    const char* title;
    const char* command;       // the command named in the messages
    std::size_t maxLineBytes;  // 0: no limit
};

constexpr Source kFileSource = {kFileTitle, "『ファイルから入力』", kMaxFileLineBytes};
constexpr Source kClipboardSource = {kClipboardTitle, "『クリップボードから入力』", 0};

// How much of an overlong line the message shows.
constexpr std::size_t kLineHeadBytes = 40;

void Warn(WindowHandle owner, const std::string& text, const Source& source) {
    ShowMessageBox(owner, text, source.title, kMbIconError | kMbOk);
}

// The start of a line, never cut inside a double-byte character.
std::string Head(const std::string& line) {
    std::size_t end = 0;
    while (end < line.size() && end + mbcs::CharLength(line, end) <= kLineHeadBytes) {
        end += mbcs::CharLength(line, end);
    }
    return end < line.size() ? line.substr(0, end) + "…" : line;
}

const char* EncodingName(NameFileEncoding encoding) {
    switch (encoding) {
        case NameFileEncoding::Utf8:
            return "UTF-8";
        case NameFileEncoding::Utf16Le:
            return "UTF-16 LE";
        case NameFileEncoding::Utf16Be:
            return "UTF-16 BE";
        case NameFileEncoding::Cp932:
            break;
    }
    return "Shift_JIS";
}

// One line for each of n entries, then the look at the line after them. 0 with the lines
// collected, 1 after a message.
template <typename Reader>
int CollectLines(Reader& reader, unsigned n, const Source& source, WindowHandle owner,
                 std::vector<std::string>* lines) {
    for (unsigned i = 0; i < n; ++i) {
        if (reader.AtEnd() && GetBool(kIdDlgCBisShort)) {
            Warn(owner,
                 std::string("テキストの行数がたりないため、\n") + source.command +
                     "を中止しました。",
                 source);
            return 1;
        }
        std::string line = reader.Read();
        // Cutting the line would make two names of it, one of them for the wrong entry.
        if (source.maxLineBytes != 0 && line.size() > source.maxLineBytes) {
            Warn(owner,
                 std::to_string(i + 1) + " 行目が長すぎるため、\n" + source.command +
                     "を中止しました。\n\n" + Head(line),
                 source);
            return 1;
        }
        // A NUL would end the path early and name another file. A file full of them is most
        // likely UTF-16 saved without a byte-order mark.
        if (line.find('\0') != std::string::npos) {
            Warn(owner,
                 std::to_string(i + 1) + " 行目に NUL 文字があるため、\n" + source.command +
                     "を中止しました。\n\nUTF-16 で保存する場合は BOM 付きにしてください。",
                 source);
            return 1;
        }
        if (GetBool(kIdDlgFNisWrong) && !IsValidName(line, true, owner)) {
            return 1;
        }
        lines->push_back(std::move(line));
    }
    // A valid name right after the range means the text has more names than the list; the
    // footer's row of slashes, an empty line or a line of dots and blanks ends it silently.
    if (GetBool(kIdDlgCBisLong)) {
        const std::string next = reader.Read();
        if (IsValidName(next, false)) {
            Warn(owner,
                 "入力対象となる範囲の次の行\n" + next +
                     "\n\n入力対象となる範囲の次の行がファイル名として有効なため、\n"
                     "テキストの行数が多いと判断し、\n" +
                     source.command + "を中止しました。",
                 source);
            return 1;
        }
    }
    return 0;
}

}  // namespace

void RenameList::TakeImportedNames(const std::vector<std::string>& lines) {
    for (unsigned i = 0; i < Count() && i < lines.size(); ++i) {
        RenameEntry& entry = At(i);
        const PathName before = entry.Path(NameKind::Edit);
        entry.SetEditName(lines[i]);
        if (!before.SameAs(entry.Path(NameKind::Edit))) {
            window_port::WriteRow(context, i, RowExtent::EditOnly);
        }
    }
}

int RenameList::ImportFromFile(const std::string& path) {
    if (passRunning) {
        return 1;
    }
    WindowHandle owner = context ? context->mainWindow : nullptr;
    std::string bytes;
    if (!platform::ReadWholeFile(mbcs::ToSlashForm(path), &bytes)) {
        Warn(owner, path + "\n\nファイルを開けないため、\n『ファイルから入力』を中止しました。",
             kFileSource);
        return 1;
    }
    std::string text;
    NameFileEncoding encoding = NameFileEncoding::Cp932;
    unsigned badLine = 0;
    if (!DecodeNameFile(bytes, &text, &encoding, &badLine)) {
        Warn(owner,
             std::to_string(badLine) +
                 " 行目に Shift_JIS へ変換できない文字があるため、\n"
                 "『ファイルから入力』を中止しました。\n\n（ファイルの文字コード：" +
                 EncodingName(encoding) + "）",
             kFileSource);
        return 1;
    }
    FileLineReader reader(std::move(text));
    std::vector<std::string> lines;
    if (CollectLines(reader, Count(), kFileSource, owner, &lines) != 0 ||
        CheckNewNames(lines) != 0) {
        return 1;
    }
    TakeImportedNames(lines);
    return 0;
}

int RenameList::ImportFromClipboard() {
    if (passRunning) {
        return 1;
    }
    WindowHandle owner = context ? context->mainWindow : nullptr;
    std::string text;
    if (!platform::GetClipboardText(owner, &text)) {
        if (GetBool(kIdDlgCBisntTxt)) {
            Warn(owner, "クリップボードの内容がテキストではないため、\n入力に失敗しました。",
                 kClipboardSource);
        }
        return 1;
    }
    ClipboardLineReader reader(std::move(text));
    std::vector<std::string> lines;
    if (CollectLines(reader, Count(), kClipboardSource, owner, &lines) != 0 ||
        CheckNewNames(lines) != 0) {
        return 1;
    }
    TakeImportedNames(lines);
    return 0;
}
