#include <dirent.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "core/mbcs.h"
#include "gtest/gtest.h"
#include "platform/text.h"
#include "tests/support/test_files.h"

namespace {

// "\tmp\x" in the program's form is "/tmp/x" here.
std::string Native(const std::string& path) {
    std::string native;
    EXPECT_TRUE(platform::ToNative(mbcs::ToSlashForm(path), &native)) << path;
    return native;
}

void RemoveNative(const std::string& path) {
    struct stat st;
    if (lstat(path.c_str(), &st) != 0) {
        return;
    }
    if (S_ISDIR(st.st_mode)) {
        if (DIR* dir = opendir(path.c_str())) {
            while (dirent* e = readdir(dir)) {
                std::string name = e->d_name;
                if (name != "." && name != "..") {
                    RemoveNative(path + "/" + name);
                }
            }
            closedir(dir);
        }
        rmdir(path.c_str());
    } else {
        unlink(path.c_str());
    }
}

}  // namespace

namespace test_files {

std::string MakeTempFolder() {
    const char* tmp = getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/varnel-test-XXXXXX";
    char* made = mkdtemp(&pattern[0]);
    EXPECT_NE(made, nullptr);
    return mbcs::ReplaceAll(pattern, '/', '\\');
}

void RemoveTree(const std::string& path) {
    RemoveNative(Native(path));
}

void WriteFile(const std::string& path, const std::string& contents) {
    std::ofstream out(Native(path), std::ios::binary);
    out << contents;
    EXPECT_TRUE(out.good()) << path;
}

void MakeFolder(const std::string& path) {
    EXPECT_EQ(mkdir(Native(path).c_str(), 0700), 0) << path;
}

bool ReadFile(const std::string& path, std::string* contents) {
    std::ifstream in(Native(path), std::ios::binary);
    if (!in) {
        return false;
    }
    std::ostringstream s;
    s << in.rdbuf();
    *contents = s.str();
    return true;
}

std::vector<std::string> ListNames(const std::string& folder) {
    std::vector<std::string> names;
    if (DIR* dir = opendir(Native(folder).c_str())) {
        while (dirent* e = readdir(dir)) {
            std::string name = e->d_name;
            if (name == "." || name == "..") {
                continue;
            }
            std::string cp932;
            EXPECT_TRUE(platform::FromNative(name, &cp932)) << name;
            names.push_back(cp932);
        }
        closedir(dir);
    }
    return names;
}

}  // namespace test_files
