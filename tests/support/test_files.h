// Real folders and files for tests, named in cp932 like everything else.
#pragma once

#include <string>
#include <vector>

// A fresh, empty folder under the system's temporary folder, removed with everything in it at the
// end of the test.
class TestDir {
  public:
    TestDir();
    ~TestDir();
    TestDir(const TestDir&) = delete;
    TestDir& operator=(const TestDir&) = delete;

    // The folder in the program's form: backslashes, cp932 ("C:\...\x" or "\tmp\x").
    const std::string& Path() const { return path; }
    std::string PathOf(const std::string& name) const { return path + "\\" + name; }

    void MakeFile(const std::string& name, const std::string& contents = "") const;
    void MakeFolder(const std::string& name) const;
    std::string Read(const std::string& name) const;
    bool Has(const std::string& name) const;
    // The names in the folder as the file system stores them, sorted bytewise.
    std::vector<std::string> Names() const;

  private:
    std::string path;
};

namespace test_files {

// The platform part, on paths in the program's form.
std::string MakeTempFolder();
// Removes a file, or a folder with everything in it.
void RemoveTree(const std::string& path);
void WriteFile(const std::string& path, const std::string& contents);
void MakeFolder(const std::string& path);
bool ReadFile(const std::string& path, std::string* contents);
std::vector<std::string> ListNames(const std::string& folder);

}  // namespace test_files
