// Reading the edited names back from the IO file or the clipboard. One line per entry; every
// line is collected and checked before any edit name changes, so a stopped import leaves the list
// as it was.

#include "exchange/import.h"

#include <string>
#include <utility>
#include <vector>

#include "core/mbcs.h"
#include "core/name_rules.h"
#include "core/place_index.h"
#include "core/rename_list.h"
#include "core/target_check.h"
#include "core/texts.h"
#include "core/window_port.h"
#include "exchange/import_proof.h"
#include "exchange/name_text.h"
#include "platform/clipboard.h"
#include "platform/message_box.h"
#include "platform/text.h"
#include "platform/text_file.h"

namespace {

// What differs between the two sources besides their line rules.
struct Source {
    const char* title;
    const char* command;  // the command named in the messages
};

constexpr Source kFileSource = {texts::kTitleFileContents, texts::kCommandImportFile};
constexpr Source kClipboardSource = {texts::kTitleClipboardContents,
                                     texts::kCommandImportClipboard};

// How much of an overlong line the message shows.
constexpr std::size_t kLineHeadBytes = 40;

void Warn(WindowHandle owner, const std::string& text, const Source& source) {
    ShowMessageBox(owner, text, source.title, kMbIconError | kMbOk);
}

// The start of a line, never cut inside a double-byte character.
std::string Head(const std::string& line) {
    const std::string head = mbcs::CutToBytes(line, kLineHeadBytes);
    return head.size() < line.size() ? head + texts::kCutMark : line;
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

// Lines are taken by position, so they must answer the order the names went out in.
bool RefuseIfChanged(const RenameList& list, const Source& source, WindowHandle owner) {
    if (!list.ChangedSinceExport()) {
        return false;
    }
    ShowMessageBox(owner, texts::Fill(texts::kImportListChanged, {source.command}),
                   texts::kTitleListChanged, kMbIconError | kMbOk);
    return true;
}

// The first line with a character beyond ASCII, read both ways, for the user to compare.
std::string BothReadings(const std::string& bytes) {
    FileLineReader reader(bytes);
    while (!reader.AtEnd()) {
        const std::string line = reader.Read();
        for (char c : line) {
            if (static_cast<unsigned char>(c) >= 0x80) {
                // Well-formed, or the question would not be asked.
                std::string utf8;
                std::string cp932;
                platform::Utf8ToHeld(line, &utf8);
                if (!platform::Cp932ToHeld(line, &cp932)) {
                    cp932 = platform::ShownForm(line);
                }
                return texts::Fill(texts::kImportBothReadings, {Head(utf8), Head(cp932)});
            }
        }
    }
    return "";
}

// A text without footer that reads as UTF-8 may still be cp932: the user says which. False when
// the user stops the import.
bool AskEncoding(const std::string& path, const std::string& bytes, WindowHandle owner,
                 NameFileEncoding* encoding) {
    const int answer =
        ShowMessageBox(owner, texts::Fill(texts::kImportAskEncoding, {path, BothReadings(bytes)}),
                       texts::kTitleFileEncoding, kMbIconQuestion | kMbYesNoCancel);
    if (answer == kIdYes) {
        *encoding = NameFileEncoding::Utf8;
    } else if (answer == kIdNo) {
        *encoding = NameFileEncoding::Cp932;
    } else {
        return false;
    }
    return true;
}

// The rows the editor, not the user, may have changed, asked about once with No as the default.
// False when the user stops the import.
bool EditorChangesAccepted(const RenameList& list, const std::vector<std::string>& lines,
                           bool readThroughCp932, WindowHandle owner) {
    if (list.ExportedNames().empty()) {
        return true;
    }
    const std::vector<SuspectRow> suspects =
        SuspectRows(list.ExportedNames(), list.ExportedAsUnicode(), readThroughCp932, lines);
    if (suspects.empty()) {
        return true;
    }
    const std::string rows =
        texts::FirstLines(suspects.size(), texts::kNamedInQuestion, [&](std::size_t i) {
            return texts::Fill(texts::kImportChangedRow,
                               {std::to_string(suspects[i].row + 1), Head(suspects[i].exported),
                                Head(suspects[i].read)});
        });
    return ShowMessageBox(owner, texts::Fill(texts::kImportMayBeChanged, {rows}),
                          texts::kTitleFileEncoding,
                          kMbIconQuestion | kMbYesNo | kMbDefButton2) == kIdYes;
}

// One line for each entry, then the look at the line after them. 0 with the lines collected, 1
// after a message.
template <typename Reader>
int CollectLines(Reader& reader, const RenameList& list, const ImportRules& rules,
                 const Source& source, WindowHandle owner, std::vector<std::string>* lines) {
    for (unsigned i = 0; i < list.Count(); ++i) {
        if (reader.AtEnd() && rules.refuseTooFewLines) {
            Warn(owner, texts::Fill(texts::kImportTooFewLines, {source.command}), source);
            return 1;
        }
        std::string line = reader.Read();
        if (IsNameTooLong(list.At(i).CandidatePath(line).FileName())) {
            Warn(owner,
                 texts::Fill(texts::kImportLineTooLong,
                             {std::to_string(i + 1), source.command, Head(line)}),
                 source);
            return 1;
        }
        // A NUL would end the path early and name another file. A file full of them is most
        // likely UTF-16 saved without a byte-order mark.
        if (line.find('\0') != std::string::npos) {
            Warn(owner, texts::Fill(texts::kImportNul, {std::to_string(i + 1), source.command}),
                 source);
            return 1;
        }
        if (IsNameRefused(rules.names, line, true, owner)) {
            return 1;
        }
        lines->push_back(std::move(line));
    }
    // A valid name right after the range means the text has more names than the list; the
    // footer's row of slashes, an empty line or a line of dots and blanks ends it silently.
    if (rules.refuseTooManyLines) {
        const std::string next = reader.Read();
        if (IsValidFileName(next, false, nullptr, rules.names.wholeNamesShown)) {
            Warn(owner, texts::Fill(texts::kImportTooManyLines, {next, source.command}), source);
            return 1;
        }
    }
    return 0;
}

// The lines made the edit names, rewriting the rows that changed.
void TakeImportedNames(RenameList& list, const std::vector<std::string>& lines) {
    for (unsigned i = 0; i < list.Count() && i < lines.size(); ++i) {
        RenameEntry& entry = list.At(i);
        const PathName before = entry.Path(NameKind::Edit);
        entry.SetEditName(lines[i]);
        if (!before.SameAs(entry.Path(NameKind::Edit))) {
            window_port::WriteRow(i);
        }
    }
}

}  // namespace

int ImportFromFile(RenameList& list, const std::string& path, const ImportRules& rules) {
    WindowHandle owner = window_port::Owner();
    if (list.IsBusy() || RefuseIfChanged(list, kFileSource, owner)) {
        return 1;
    }
    std::string bytes;
    if (!platform::ReadWholeFile(mbcs::ToSlashForm(path), &bytes)) {
        Warn(owner, texts::Fill(texts::kImportCannotOpen, {path}), kFileSource);
        return 1;
    }
    if (FooterReEncoded(bytes)) {
        Warn(owner, texts::Fill(texts::kImportReEncoded, {path}), kFileSource);
        return 1;
    }
    bool unsure = false;
    NameFileEncoding encoding = DetectNameFileEncoding(bytes, &unsure);
    if (unsure && !AskEncoding(path, bytes, owner, &encoding)) {
        return 1;
    }
    std::string text;
    unsigned badLine = 0;
    if (!DecodeNameFile(bytes, encoding, &text, &badLine)) {
        Warn(owner,
             texts::Fill(texts::kImportNotReadable,
                         {std::to_string(badLine), EncodingName(encoding)}),
             kFileSource);
        return 1;
    }
    // The footer as read, in whatever encoding: a file misread and saved as UTF-16 shows no
    // row of slashes among its bytes.
    if (FooterReEncoded(text)) {
        Warn(owner, texts::Fill(texts::kImportReEncoded, {path}), kFileSource);
        return 1;
    }
    FileLineReader reader(std::move(text));
    std::vector<std::string> lines;
    // The lines are whole and fit the list before anything is asked about them.
    if (CollectLines(reader, list, rules, kFileSource, owner, &lines) != 0 ||
        !EditorChangesAccepted(list, lines, encoding == NameFileEncoding::Cp932, owner) ||
        CheckNewNames(list, lines) != 0) {
        return 1;
    }
    TakeImportedNames(list, lines);
    return 0;
}

int ImportFromClipboard(RenameList& list, const ImportRules& rules) {
    WindowHandle owner = window_port::Owner();
    if (list.IsBusy() || RefuseIfChanged(list, kClipboardSource, owner)) {
        return 1;
    }
    std::string text;
    if (!platform::GetClipboardText(owner, &text)) {
        if (rules.sayNotText) {
            Warn(owner, texts::kImportNotText, kClipboardSource);
        }
        return 1;
    }
    ClipboardLineReader reader(std::move(text));
    std::vector<std::string> lines;
    if (CollectLines(reader, list, rules, kClipboardSource, owner, &lines) != 0 ||
        !EditorChangesAccepted(list, lines, false, owner) || CheckNewNames(list, lines) != 0) {
        return 1;
    }
    TakeImportedNames(list, lines);
    return 0;
}

int CheckNewNames(const RenameList& list, const std::vector<std::string>& lines) {
    WindowHandle owner = window_port::Owner();
    const std::size_t n = lines.size() < list.Count() ? lines.size() : list.Count();
    std::vector<PathName> candidates;
    candidates.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        candidates.push_back(list.At(static_cast<unsigned>(i)).CandidatePath(lines[i]));
    }
    std::vector<const PathName*> targets;
    for (const PathName& candidate : candidates) {
        targets.push_back(&candidate);
    }
    // Illegal characters are the import's own name check's (DlgFNisWrong); the pass checks the
    // names again after their conversion.
    std::vector<unsigned> inTheWay;
    PlaceIndex onDisk;
    const TargetProblem problem = CheckTargets(list, targets, true, &inTheWay, &onDisk);
    if (problem.kind == TargetProblem::Kind::None) {
        return 0;
    }
    // A place held outside the list is told without naming it.
    if (!ShowNameProblem(owner, problem, targets, texts::kTitleBadName, kMbIconError | kMbOk)) {
        ShowMessageBox(owner, texts::kNamesCollide, texts::kTitleBadName, kMbIconError | kMbOk);
    }
    return 1;
}
