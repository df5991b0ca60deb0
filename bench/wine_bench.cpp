// The road through the real Varnel.exe under Wine, timed stage by stage beside a plain loop of
// MoveFileW over the same files: add by a drop (with the automatic sort), export to the
// clipboard, import with every check, the rename pass and the restore. The end of each stage is
// read from the status bar, as a user would see it.
// Usage: wine_bench --app=Varnel.exe --dir=LABEL=FOLDER... [--per-folder=K] N...
// The files lie in folders of K (default 1000): Wine looks for a name that is not there by
// reading the whole folder, so in one folder of N every rename, Varnel's or the plain loop's,
// costs O(N) in Wine itself.
// Memory is Varnel's working set less what it had before the drop (Wine's own start-up): at rest
// after the import, and the most seen while the pass and the restore ran (read at every look at
// the status bar), per entry.

#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/texts.h"
#include "res/resource_ids.h"
#include "tests/gui/gui_harness.h"

namespace {

using texts::kStepAdded;
using texts::kStepExported;
using texts::kStepRenamable;
using texts::kStepRenamed;
constexpr int kExportClipboard = IDC_EXPORT_CLIPBOARD;
constexpr int kImportClipboard = IDC_IMPORT_CLIPBOARD;
constexpr int kRename = IDC_RENAME;
constexpr int kRestore = IDC_RESTORE;
// The longest any stage may take before the run counts as failed.
constexpr DWORD kStageMs = 30 * 60 * 1000;

double Now() {
    LARGE_INTEGER count;
    LARGE_INTEGER frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

unsigned perFolder = 1000;

// File i as a path below the run's folder.
std::wstring Name(wchar_t stem, unsigned i) {
    wchar_t name[32];
    swprintf(name, 32, L"d%04u\\%lc%07u.dat", i / perFolder, stem, i);
    return name;
}

unsigned Folders(unsigned n) {
    return (n + perFolder - 1) / perFolder;
}

unsigned CountNamesIn(const std::wstring& folder, wchar_t stem) {
    WIN32_FIND_DATAW found;
    const std::wstring pattern = folder + L"\\" + std::wstring(1, stem) + L"*.dat";
    HANDLE find = FindFirstFileW(pattern.c_str(), &found);
    unsigned n = 0;
    if (find != INVALID_HANDLE_VALUE) {
        do {
            ++n;
        } while (FindNextFileW(find, &found));
        FindClose(find);
    }
    return n;
}

unsigned CountNames(const std::wstring& folder, unsigned n, wchar_t stem) {
    unsigned count = 0;
    for (unsigned f = 0; f < Folders(n); ++f) {
        wchar_t sub[16];
        swprintf(sub, 16, L"\\d%04u", f);
        count += CountNamesIn(folder + sub, stem);
    }
    return count;
}

// Renames every file from one stem to the other; false at the first failure.
bool MoveAll(const std::wstring& folder, unsigned n, wchar_t from, wchar_t to) {
    for (unsigned i = 0; i < n; ++i) {
        if (!MoveFileW((folder + L"\\" + Name(from, i)).c_str(),
                       (folder + L"\\" + Name(to, i)).c_str())) {
            return false;
        }
    }
    return true;
}

struct Result {
    double add = 0, exportNames = 0, import = 0, pass = 0, restore = 0, moveLoop = 0;
    double peakMb = 0, restPerEntry = 0, passPerEntry = 0;
    bool ok = false;
    std::string failure;
};

// The working set of the process now, or 0.
SIZE_T WorkingSet(DWORD processId, SIZE_T* peak = nullptr) {
    SIZE_T now = 0;
    if (HANDLE process =
            OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId)) {
        PROCESS_MEMORY_COUNTERS memory = {};
        memory.cb = sizeof(memory);
        if (GetProcessMemoryInfo(process, &memory, sizeof(memory))) {
            now = memory.WorkingSetSize;
            if (peak) {
                *peak = memory.PeakWorkingSetSize;
            }
        }
        CloseHandle(process);
    }
    return now;
}

// With `most`, the largest working set seen while the stage ran.
bool Stage(gui::Session& s, int command, const std::string& count, const char* step,
           double* seconds, Result* r, const char* what, SIZE_T* most = nullptr) {
    const double start = Now();
    s.PostCommand(command);
    if (!gui::WaitFor(
            [&] {
                if (most) {
                    *most = std::max(*most, WorkingSet(s.processId()));
                }
                return s.Status(0) == count && s.Status(1) == step;
            },
            kStageMs)) {
        r->failure = std::string(what) + ": " + s.Describe();
        return false;
    }
    *seconds = Now() - start;
    return true;
}

Result RunOne(const std::wstring& parent, unsigned n) {
    Result r;
    const std::wstring folder = parent + L"\\varnel-bench-" +
                                std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(n);
    CreateDirectoryW(parent.c_str(), nullptr);
    if (!CreateDirectoryW(folder.c_str(), nullptr)) {
        r.failure = "cannot make " + gui::Narrow(folder);
        return r;
    }
    for (unsigned f = 0; f < Folders(n); ++f) {
        wchar_t sub[16];
        swprintf(sub, 16, L"\\d%04u", f);
        CreateDirectoryW((folder + sub).c_str(), nullptr);
    }
    for (unsigned i = 0; i < n; ++i) {
        HANDLE file = CreateFileW((folder + L"\\" + Name(L'f', i)).c_str(), GENERIC_WRITE, 0,
                                  nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            r.failure = "cannot make the files";
            return r;
        }
        CloseHandle(file);
    }
    // The file system's own cost: every file renamed once, then put back untimed.
    const double loopStart = Now();
    const bool moved = MoveAll(folder, n, L'f', L'g');
    r.moveLoop = Now() - loopStart;
    if (!moved || !MoveAll(folder, n, L'g', L'f')) {
        r.failure = "MoveFileW failed";
        return r;
    }

    gui::Session s;
    std::string error;
    if (!s.Start("[Basic]\r\nWindowMode=ListView\r\nAutoRename=off\r\n", &error)) {
        r.failure = error;
        return r;
    }
    const std::string count =
        std::to_string(n).size() < 3
            ? std::string(3 - std::to_string(n).size(), '0') + std::to_string(n)
            : std::to_string(n);
    // Dropped, as a user adds many files: a hand-over of megabytes is slow in Wine's messages.
    std::vector<std::wstring> paths;
    for (unsigned i = 0; i < n; ++i) {
        paths.push_back(folder + L"\\" + Name(L'f', i));
    }
    const SIZE_T before = WorkingSet(s.processId());
    double start = Now();
    if (!gui::DropFiles(s.window(), paths) ||
        !gui::WaitFor([&] { return s.Status(0) == count && s.Status(1) == kStepAdded; },
                      kStageMs)) {
        r.failure = "add: " + s.Describe();
        return r;
    }
    r.add = Now() - start;

    gui::ClipboardLock lock;
    if (!Stage(s, kExportClipboard, count, kStepExported, &r.exportNames, &r, "export")) {
        return r;
    }
    std::string exported;
    if (!gui::ClipboardText(&exported)) {
        r.failure = "no names on the clipboard";
        return r;
    }
    // Every name gets another first letter: f0000001 becomes r0000001.
    std::vector<std::string> lines = gui::SplitLines(exported);
    if (lines.size() < n) {
        r.failure = "the clipboard holds too few lines";
        return r;
    }
    std::string edited;
    for (unsigned i = 0; i < n; ++i) {
        edited += "r" + lines[i].substr(1) + "\r\n";
    }
    if (!gui::PutClipboardText(edited) ||
        !Stage(s, kImportClipboard, count, kStepRenamable, &r.import, &r, "import")) {
        return r;
    }
    const SIZE_T atRest = WorkingSet(s.processId());
    SIZE_T inPass = atRest;
    if (!Stage(s, kRename, count, kStepRenamed, &r.pass, &r, "pass", &inPass)) {
        return r;
    }
    if (CountNames(folder, n, L'r') != n) {
        r.failure = "not every file was renamed";
        return r;
    }
    if (!Stage(s, kRestore, count, kStepRenamable, &r.restore, &r, "restore", &inPass)) {
        return r;
    }
    if (CountNames(folder, n, L'f') != n) {
        r.failure = "not every file was restored";
        return r;
    }
    SIZE_T peak = 0;
    WorkingSet(s.processId(), &peak);
    r.peakMb = static_cast<double>(peak) / (1024.0 * 1024.0);
    r.restPerEntry = (static_cast<double>(atRest) - static_cast<double>(before)) / n;
    r.passPerEntry = (static_cast<double>(inPass) - static_cast<double>(before)) / n;
    DWORD code = 0;
    s.Close(&code);
    for (unsigned i = 0; i < n; ++i) {
        DeleteFileW((folder + L"\\" + Name(L'f', i)).c_str());
    }
    for (unsigned f = 0; f < Folders(n); ++f) {
        wchar_t sub[16];
        swprintf(sub, 16, L"\\d%04u", f);
        RemoveDirectoryW((folder + sub).c_str());
    }
    RemoveDirectoryW(folder.c_str());
    r.ok = true;
    return r;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::pair<std::string, std::wstring>> folders;
    std::vector<unsigned> sizes;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg.rfind("--app=", 0) == 0) {
            gui::SetAppPath(arg.substr(6));
        } else if (arg.rfind("--per-folder=", 0) == 0) {
            perFolder = static_cast<unsigned>(std::strtoul(arg.c_str() + 13, nullptr, 10));
        } else if (arg.rfind("--dir=", 0) == 0) {
            const std::string place = arg.substr(6);
            const size_t eq = place.find('=');
            folders.emplace_back(place.substr(0, eq), gui::ToWindowsPath(place.substr(eq + 1)));
        } else {
            sizes.push_back(static_cast<unsigned>(std::strtoul(arg.c_str(), nullptr, 10)));
        }
    }
    if (gui::AppPath().empty() || folders.empty() || sizes.empty() || perFolder == 0) {
        std::fprintf(stderr, "usage: wine_bench --app=Varnel.exe --dir=LABEL=FOLDER... N...\n");
        return 2;
    }
    std::printf("files in folders of %u\n", perFolder);
    std::printf("%-6s %7s %7s %7s %7s %7s %7s | %8s %6s %6s | %7s %6s %6s\n", "disk", "N", "add",
                "export", "import", "pass", "restore", "MoveFile", "pass x", "rest x", "peak MB",
                "rest B", "pass B");
    std::fflush(stdout);
    int failures = 0;
    for (const auto& folder : folders) {
        for (unsigned n : sizes) {
            const Result r = RunOne(folder.second, n);
            if (!r.ok) {
                std::printf("%-6s %7u failed: %s\n", folder.first.c_str(), n, r.failure.c_str());
                ++failures;
            } else {
                std::printf(
                    "%-6s %7u %7.2f %7.2f %7.2f %7.2f %7.2f | %8.2f %6.2f %6.2f | %7.1f "
                    "%6.0f %6.0f\n",
                    folder.first.c_str(), n, r.add, r.exportNames, r.import, r.pass, r.restore,
                    r.moveLoop, r.pass / r.moveLoop, r.restore / r.moveLoop, r.peakMb,
                    r.restPerEntry, r.passPerEntry);
            }
            std::fflush(stdout);
        }
    }
    return failures == 0 ? 0 : 1;
}
