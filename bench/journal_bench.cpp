// The cost of the rename pass's journal: the same passes over real files with the journal and
// without it (no AppPaths, so no place for one), alternated, as a ratio.
// Usage: journal_bench PARENT_FOLDER N [ROUNDS]   (a folder is made anew under the parent)

#include <stdio.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "core/rename_list.h"
#include "core/window_port.h"
#include "platform/message_box.h"
#include "settings/app_paths.h"

namespace {

std::string Name(unsigned i) {
    char name[32];
    snprintf(name, sizeof name, "f%07u", i);
    return name;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void Run(const std::string& parent, unsigned n, unsigned rounds) {
    const std::string folder = bench::FreshFolder(parent, "varnel-journal-bench");
    const std::string programFolder = bench::ProgramForm(folder);
    for (unsigned i = 0; i < n; ++i) {
        bench::MakeEmptyFile(folder + "/" + Name(i) + ".dat");
    }
    AppPaths paths(programFolder + "\\Varnel.exe");
    {
        RenameList list([] { return ListRules(); });
        for (unsigned i = 0; i < n; ++i) {
            list.AddPath(programFolder + "\\" + Name(i) + ".dat");
        }
        // Two batches: every name new (one move each), and a rotation of all names (every file
        // goes aside first: two moves each, the largest plan).
        const char* batches[] = {"new names", "rotation"};
        for (int batch = 0; batch < 2; ++batch) {
            for (unsigned i = 0; i < n; ++i) {
                list.At(i).SetEditName(batch == 0 ? "r" + Name(i) : Name((i + 1) % n));
            }
            std::vector<double> with, without;
            for (unsigned r = 0; r < rounds; ++r) {
                for (bool journal : {false, true}) {
                    list.SetJournalFolder(journal ? paths.IniFolder() : std::string());
                    const double t = bench::Time([&] {
                        list.RenameAll();
                        list.RestoreAll();
                    });
                    (journal ? with : without).push_back(t);
                }
            }
            list.SetJournalFolder(std::string());
            printf("%-14s %-10s %7u %10.4f %10.4f %7.2f\n", parent.c_str(), batches[batch], n,
                   Median(without), Median(with), Median(with) / Median(without));
        }
    }
    bench::RemoveFolder(folder);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        fprintf(stderr, "usage: journal_bench PARENT_FOLDER N [ROUNDS]\n");
        return 2;
    }
    const unsigned rounds = argc > 3 ? static_cast<unsigned>(atoi(argv[3])) : 5;
    printf("%-14s %-10s %7s %10s %10s %7s   (seconds for a pass and its restore, median of %u)\n",
           "folder", "batch", "N", "without", "journal", "ratio", rounds);
    Run(argv[1], static_cast<unsigned>(atoi(argv[2])), rounds);
    return bench::Messages() == 0 ? 0 : 1;
}
