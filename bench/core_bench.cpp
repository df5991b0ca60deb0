// The core's road over real files, timed stage by stage beside a plain loop of rename(2) over the
// same files: add, sort, export, import with every check, the rename pass and the restore.
// Usage: core_bench [LABEL=]FOLDER N...   (a folder is made anew under the given one)
// Memory is the program's own heap in use, counted by this file's operator new: what the list
// holds at rest (after the import) and the most the pass held at once, per entry.

#include <malloc.h>
#include <stdio.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "core/rename_list.h"
#include "core/window_port.h"
#include "exchange/import.h"
#include "exchange/name_text.h"
#include "platform/clipboard.h"
#include "platform/message_box.h"
#include "settings/list_settings.h"

namespace {

std::size_t heapInUse = 0;
std::size_t heapPeak = 0;

}  // namespace

void* operator new(std::size_t size) {
    void* p = malloc(size == 0 ? 1 : size);
    if (p == nullptr) {
        throw std::bad_alloc();
    }
    heapInUse += malloc_usable_size(p);
    if (heapInUse > heapPeak) {
        heapPeak = heapInUse;
    }
    return p;
}

void operator delete(void* p) noexcept {
    if (p != nullptr) {
        heapInUse -= malloc_usable_size(p);
        free(p);
    }
}

void operator delete(void* p, std::size_t) noexcept {
    operator delete(p);
}

namespace {

std::string Name(const char* stem, unsigned i) {
    char name[32];
    snprintf(name, sizeof name, "%s%07u.dat", stem, i);
    return name;
}

void Run(const std::string& label, const std::string& parent, unsigned n) {
    const std::string folder = bench::FreshFolder(parent, "varnel-bench");
    for (unsigned i = 0; i < n; ++i) {
        FILE* f = fopen((folder + "/" + Name("f", i)).c_str(), "wb");
        if (!f) {
            fprintf(stderr, "cannot make files in %s\n", folder.c_str());
            exit(1);
        }
        fclose(f);
    }

    // The file system's own cost: every file renamed once and back.
    const double loop = bench::Time([&] {
        for (unsigned i = 0; i < n; ++i) {
            rename((folder + "/" + Name("f", i)).c_str(), (folder + "/" + Name("r", i)).c_str());
        }
    });
    const double loopBack = bench::Time([&] {
        for (unsigned i = 0; i < n; ++i) {
            rename((folder + "/" + Name("r", i)).c_str(), (folder + "/" + Name("f", i)).c_str());
        }
    });

    const std::size_t heapBefore = heapInUse;
    {
        RenameList list([] { return ListRules(); });
        // With the journal and the history beside the files, as the program keeps them.
        list.SetJournalFolder(folder);
        const std::string programFolder = bench::ProgramForm(folder);
        // Added in reverse, so that the sort has work to do, as one road the way a drop adds.
        std::string dropped;
        for (unsigned i = n; i-- > 0;) {
            dropped += programFolder + "\\" + Name("f", i) + '\0';
        }
        const double add = bench::Time([&] { list.AddPaths(dropped); });
        std::string().swap(dropped);
        const double sort =
            bench::Time([&] { list.Sort(NameKind::Now, PathPart::FullPath, false); });
        const double exportTime =
            bench::Time([&] { ExportToClipboard(list, NameKind::Edit, true); });
        std::string edited;
        for (unsigned i = 0; i < n; ++i) {
            edited += Name("r", i).substr(0, 8) + "\r\n";
        }
        platform::PutClipboardText(nullptr, edited);
        const double import = bench::Time([&] { ImportFromClipboard(list, ImportRules()); });
        std::string().swap(edited);
        platform::PutClipboardText(nullptr, "");
        const double atRest = static_cast<double>(heapInUse - heapBefore) / n;
        heapPeak = heapInUse;
        const double pass = bench::Time([&] { list.RenameAll(); });
        const double inPass = static_cast<double>(heapPeak - heapBefore) / n;
        heapPeak = heapInUse;
        const double restore = bench::Time([&] { list.RestoreAll(); });
        const double inRestore = static_cast<double>(heapPeak - heapBefore) / n;

        const double road = add + sort + exportTime + import + pass;
        printf(
            "%-10s %8u %8.3f %8.3f %8.3f %8.3f %8.3f %8.3f %8.3f | %8.3f %8.3f | %5.2f | %6.0f "
            "%6.0f\n",
            label.c_str(), n, add, sort, exportTime, import, pass, restore, road, loop, loopBack,
            road / loop, atRest, std::max(inPass, inRestore));
    }
    bench::RemoveFolder(folder);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        fprintf(stderr, "usage: core_bench PARENT_FOLDER N...\n");
        return 2;
    }
    // LABEL=FOLDER names the folder in the table.
    const std::string place = argv[1];
    const std::size_t eq = place.find('=');
    const std::string label = eq == std::string::npos ? place : place.substr(0, eq);
    const std::string parent = eq == std::string::npos ? place : place.substr(eq + 1);
    printf("%-10s %8s %8s %8s %8s %8s %8s %8s %8s | %8s %8s | %5s | %6s %6s\n", "folder", "N",
           "add", "sort", "export", "import", "pass", "restore", "road", "rename", "back", "ratio",
           "rest B", "pass B");
    for (int k = 2; k < argc; ++k) {
        Run(label, parent, static_cast<unsigned>(atoi(argv[k])));
    }
    struct rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    printf("peak resident set: %ld KiB; messages shown: %u\n", usage.ru_maxrss, bench::Messages());
    return bench::Messages() == 0 ? 0 : 1;
}
