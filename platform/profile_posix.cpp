// Profile files read and written by the rules the Win32 profile functions follow, so that the
// settings behave the same in the native build. Unlike Wine, which rewrites the whole file in
// its own layout, lines that are not written to keep their bytes.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string_view>
#include <vector>

#include "platform/profile.h"
#include "platform/text.h"

namespace platform {
namespace {

// The read buffer of the Win32 functions is 256 bytes with the terminator.
constexpr std::size_t kValueLimit = 255;
constexpr std::size_t kNone = static_cast<std::size_t>(-1);
constexpr char kLineEnd[] = "\r\n";

bool IsLeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// Ctrl-Z counts too: old editors end a text file with it.
bool IsBlank(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r') || c == '\x1a';
}

// Trail bytes are never blanks, so trimming byte by byte cannot split a character.
std::string_view TrimLeft(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) {
        s.remove_prefix(1);
    }
    return s;
}

std::string_view TrimRight(std::string_view s) {
    while (!s.empty() && IsBlank(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

std::string_view Trim(std::string_view s) {
    return TrimRight(TrimLeft(s));
}

char FoldAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Section and key names match without regard to ASCII case; a double-byte character matches
// only itself, since its trail byte may look like a letter.
bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (IsLeadByte(static_cast<unsigned char>(a[i])) && i + 1 < a.size()) {
            if (a[i] != b[i] || a[i + 1] != b[i + 1]) {
                return false;
            }
            ++i;
        } else if (FoldAscii(a[i]) != FoldAscii(b[i])) {
            return false;
        }
    }
    return true;
}

// At most `limit` bytes, never ending in the first half of a double-byte character.
std::string_view CutBytes(std::string_view s, std::size_t limit) {
    if (s.size() <= limit) {
        return s;
    }
    std::size_t end = 0;
    while (end < limit) {
        std::size_t length = IsLeadByte(static_cast<unsigned char>(s[end])) ? 2 : 1;
        if (end + length > limit) {
            break;
        }
        end += length;
    }
    return s.substr(0, end);
}

// What the caller gets for a stored value or a default: one pair of enclosing quotes is dropped
// and the text is cut to the buffer. The closing quote takes one place in the buffer, so a quoted
// value that only just fits loses its last character as well.
std::string Deliver(std::string_view v) {
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
        v.remove_prefix(1);
        bool closingQuoteCopied = v.size() <= kValueLimit + 1;
        v = v.substr(0, kValueLimit);
        if (closingQuoteCopied) {
            v.remove_suffix(1);
        }
    }
    return std::string(CutBytes(v, kValueLimit));
}

enum class LineKind { Blank, Header, Entry };

struct Line {
    std::size_t begin = 0;  // the raw line with its terminator is [begin, end)
    std::size_t end = 0;
    LineKind kind = LineKind::Blank;
    std::string_view name;       // the section of a header, the key of an entry
    bool hasValue = false;       // an entry line without "=" has a key but no value
    std::size_t valueBegin = 0;  // where the value (after its leading blanks) starts
    std::size_t contentEnd = 0;  // end of the line without trailing blanks
    std::string_view value;
};

// Position of the last "]" in the text, stepping over double-byte characters.
std::size_t FindClosingBracket(std::string_view text) {
    std::size_t found = kNone;
    for (std::size_t i = 1; i < text.size(); ++i) {
        if (IsLeadByte(static_cast<unsigned char>(text[i]))) {
            ++i;
        } else if (text[i] == ']') {
            found = i;
        }
    }
    return found;
}

Line ParseLine(std::string_view file, std::size_t begin, std::size_t end) {
    Line line;
    line.begin = begin;
    line.end = end;
    std::string_view text = Trim(file.substr(begin, end - begin));
    if (text.empty()) {
        return line;
    }
    std::size_t textBegin = static_cast<std::size_t>(text.data() - file.data());
    line.contentEnd = textBegin + text.size();
    std::size_t close = text.front() == '[' ? FindClosingBracket(text) : kNone;
    if (close != kNone) {
        line.kind = LineKind::Header;
        line.name = Trim(text.substr(1, close - 1));
        return line;
    }
    // "=" cannot be a trail byte, so a plain search is safe.
    line.kind = LineKind::Entry;
    std::size_t equals = text.find('=');
    if (equals == std::string_view::npos) {
        line.name = text;
        return line;
    }
    line.name = TrimRight(text.substr(0, equals));
    line.hasValue = true;
    line.value = TrimLeft(text.substr(equals + 1));
    line.valueBegin = line.contentEnd - line.value.size();
    return line;
}

// Lines end at LF; a file without any LF past a point is split at CR there.
std::vector<Line> ParseFile(std::string_view file, std::size_t start) {
    std::vector<Line> lines;
    std::size_t begin = start;
    while (begin < file.size()) {
        std::size_t end = file.find('\n', begin);
        if (end == std::string_view::npos) {
            end = file.find('\r', begin);
        }
        end = end == std::string_view::npos ? file.size() : end + 1;
        lines.push_back(ParseLine(file, begin, end));
        begin = end;
    }
    return lines;
}

// A leading UTF-8 byte-order mark is not part of the first line, and it stays in the file.
std::size_t ContentStart(std::string_view file) {
    return file.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0;
}

// Lines [bodyBegin, bodyEnd) of a section. The lines before the first header form a section
// with the empty name. Only the first section with the name counts, as with the Win32 functions.
struct Section {
    bool found = false;
    std::size_t header = kNone;
    std::size_t bodyBegin = 0;
    std::size_t bodyEnd = 0;
};

Section FindSection(const std::vector<Line>& lines, std::string_view name) {
    Section section;
    std::size_t header = kNone;
    std::string_view headerName;
    for (std::size_t i = 0; i <= lines.size(); ++i) {
        if (i < lines.size() && lines[i].kind != LineKind::Header) {
            continue;
        }
        if (SameName(headerName, name)) {
            section.found = true;
            section.header = header;
            section.bodyBegin = header == kNone ? 0 : header + 1;
            section.bodyEnd = i;
            return section;
        }
        if (i < lines.size()) {
            header = i;
            headerName = lines[i].name;
        }
    }
    return section;
}

std::size_t FindKey(const std::vector<Line>& lines, const Section& section, std::string_view key) {
    for (std::size_t i = section.bodyBegin; i < section.bodyEnd; ++i) {
        if (lines[i].kind == LineKind::Entry && SameName(lines[i].name, key)) {
            return i;
        }
    }
    return kNone;
}

bool EndsWithLineBreak(std::string_view text) {
    return !text.empty() && (text.back() == '\n' || text.back() == '\r');
}

// False when the file is there but cannot be read; a missing file is an empty one.
bool ReadWholeFile(const NativeString& path, std::string* contents) {
    contents->clear();
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return errno == ENOENT;
    }
    char chunk[4096];
    std::size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
        contents->append(chunk, got);
    }
    bool ok = std::ferror(file) == 0;
    std::fclose(file);
    return ok;
}

bool WriteAll(int fd, const std::string& contents) {
    std::size_t done = 0;
    while (done < contents.size()) {
        ssize_t wrote = ::write(fd, contents.data() + done, contents.size() - done);
        if (wrote < 0 && errno == EINTR) {
            continue;
        }
        if (wrote <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(wrote);
    }
    return true;
}

// The new contents go to a sibling file that then replaces the old one, so a failure at any
// point leaves the old file as it was.
bool ReplaceFile(const NativeString& path, const std::string& contents) {
    struct stat old {};
    bool hadFile = ::stat(path.c_str(), &old) == 0;
    NativeString temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = path + "." + std::to_string(::getpid()) + "." + std::to_string(attempt) + ".tmp";
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0666);
        if (fd < 0 && errno != EEXIST) {
            return false;
        }
    }
    if (fd < 0) {
        return false;
    }
    bool ok = (!hadFile || ::fchmod(fd, old.st_mode & 07777) == 0) && WriteAll(fd, contents) &&
              ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    ok = ok && ::rename(temp.c_str(), path.c_str()) == 0;
    if (!ok) {
        ::unlink(temp.c_str());
    }
    return ok;
}

}  // namespace

std::string ReadProfileString(const std::string& section, const std::string& key,
                              const std::string& defaultValue, const std::string& iniPath) {
    // A default loses its trailing blanks (not the first character, even if it is one).
    std::string_view fallback = defaultValue;
    while (fallback.size() > 1 && fallback.back() == ' ') {
        fallback.remove_suffix(1);
    }
    std::string_view wantedKey = Trim(key);
    NativeString path;
    std::string contents;
    if (key.empty() || !ToNative(iniPath, &path) || !ReadWholeFile(path, &contents)) {
        return Deliver(fallback);
    }
    std::vector<Line> lines = ParseFile(contents, ContentStart(contents));
    Section found = FindSection(lines, Trim(section));
    std::size_t index = found.found ? FindKey(lines, found, wantedKey) : kNone;
    if (index == kNone || !lines[index].hasValue) {
        return Deliver(fallback);
    }
    return Deliver(lines[index].value);
}

bool WriteProfileString(const std::string& section, const std::string& key,
                        const std::string& value, const std::string& iniPath) {
    NativeString path;
    std::string contents;
    if (!ToNative(iniPath, &path) || !ReadWholeFile(path, &contents)) {
        return false;
    }
    std::string_view newValue = TrimLeft(value);
    std::size_t start = ContentStart(contents);
    std::vector<Line> lines = ParseFile(contents, start);
    Section found = FindSection(lines, Trim(section));
    std::string newEntry = std::string(TrimLeft(key)) + "=" + std::string(newValue) + kLineEnd;

    std::size_t index = found.found ? FindKey(lines, found, Trim(key)) : kNone;
    if (index != kNone) {
        const Line& line = lines[index];
        if (line.hasValue && line.value == newValue) {
            return true;  // nothing changes, and the file is not touched
        }
        // The key as written stays; the value and the line end are new.
        std::string replaced =
            line.hasValue ? contents.substr(line.begin, line.valueBegin - line.begin)
                          : contents.substr(line.begin, line.contentEnd - line.begin) + "=";
        replaced += std::string(newValue) + kLineEnd;
        contents.replace(line.begin, line.end - line.begin, replaced);
    } else if (found.found) {
        // After the last non-blank line of the section, so blank lines before the next header
        // stay where they are.
        std::size_t at = found.header == kNone ? start : lines[found.header].end;
        for (std::size_t i = found.bodyBegin; i < found.bodyEnd; ++i) {
            if (lines[i].kind != LineKind::Blank) {
                at = lines[i].end;
            }
        }
        if (at > start && !EndsWithLineBreak(std::string_view(contents).substr(0, at))) {
            newEntry.insert(0, kLineEnd);
        }
        contents.insert(at, newEntry);
    } else {
        if (contents.size() > start && !EndsWithLineBreak(contents)) {
            contents += kLineEnd;
        }
        contents += "[" + std::string(TrimLeft(section)) + "]" + kLineEnd + newEntry;
    }
    return ReplaceFile(path, contents);
}

}  // namespace platform
