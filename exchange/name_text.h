// The name text: one line per exported entry and the instruction footer, written to the IO file
// or the clipboard, and the two readers that cut an edited text back into lines.
#pragma once

#include <cstddef>
#include <string>

#include "core/rename_entry.h"
#include "platform/handles.h"

class RenameList;

// The names as text, one line per wanted entry, with the instruction footer.
// ExportToFile: 0 written, 1 the file could not be written (a message says why).
// ExportToClipboard: 0. An export of all rows is the one an import answers.
int ExportToFile(RenameList& list, const std::string& path, NameKind kind, bool allRows);
int ExportToClipboard(RenameList& list, NameKind kind, bool allRows);

// The footer after the names. In the file every line ends in CR LF; on the clipboard the last
// line has no line break. Each starts with a row of slashes, which is never a valid name, so
// that the line after the names ends the range.
std::string FileFooterText();
std::string ClipboardFooterText();

// The clipboard's text up to its first CR or LF; empty when the clipboard holds no text.
std::string ClipboardFirstLine(WindowHandle owner);

// Lines of the IO file: CR LF or a lone LF ends a line, a lone CR is part of it. A read that runs
// into the end of the text reports the end, a read that stops at a line break does not, so a
// text that ends in a line break offers one more, empty, line. Reads after the end are empty.
class FileLineReader {
  public:
    explicit FileLineReader(std::string text);
    bool AtEnd() const { return endReached; }
    std::string Read();

  private:
    std::string text;
    std::size_t position = 0;
    bool endReached = false;
};

// Lines of the clipboard text: CR, LF or CR LF ends a line, found by characters so that a trail
// byte never counts; the end is the end of the text, with no extra line after a final line break.
class ClipboardLineReader {
  public:
    explicit ClipboardLineReader(std::string text);
    bool AtEnd() const { return position >= text.size(); }
    std::string Read();

  private:
    std::string text;
    std::size_t position = 0;
};

// Varnel wrote the footer itself: its row of slashes is there with its lines after it, but none
// of its Japanese lines reads in cp932 or in UTF-8 (the ASCII reads the same in both). The editor
// saved the file in an encoding Varnel does not read (EUC-JP, say), or read it in a wrong one and
// saved what it made of it; every name in it may be changed. A UTF-16 file never shows the row as
// bytes.
bool FooterReEncoded(const std::string& bytes);

// How an IO file came back from the editor.
enum class NameFileEncoding { Cp932, Utf8, Utf16Le, Utf16Be };

// The encoding the IO file's bytes show. Varnel writes cp932, but an editor may save the file as
// UTF-8 (recognised by its byte-order mark or by the footer's Japanese lines in UTF-8) or as
// UTF-16 with a byte-order mark. Anything else is cp932, but a text without the footer that is
// also valid UTF-8 with a multi-byte character may be either: *unsure is set then, and only the
// user can tell.
NameFileEncoding DetectNameFileEncoding(const std::string& bytes, bool* unsure);

// The bytes in that encoding as canonical held text, converted exactly. False when a line is not
// text in that encoding; *badLine is then its number (1-based, lines ended by LF).
bool DecodeNameFile(const std::string& bytes, NameFileEncoding encoding, std::string* text,
                    unsigned* badLine);
