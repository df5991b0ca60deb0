#include "tests/support/test_files.h"

#include <algorithm>

#include "gtest/gtest.h"

TestDir::TestDir() : path(test_files::MakeTempFolder()) {}

TestDir::~TestDir() {
    test_files::RemoveTree(path);
}

void TestDir::MakeFile(const std::string& name, const std::string& contents) const {
    test_files::WriteFile(PathOf(name), contents);
}

void TestDir::MakeFolder(const std::string& name) const {
    test_files::MakeFolder(PathOf(name));
}

std::string TestDir::Read(const std::string& name) const {
    std::string contents;
    EXPECT_TRUE(test_files::ReadFile(PathOf(name), &contents)) << name;
    return contents;
}

bool TestDir::Has(const std::string& name) const {
    std::vector<std::string> names = Names();
    return std::find(names.begin(), names.end(), name) != names.end();
}

std::vector<std::string> TestDir::Names() const {
    std::vector<std::string> names = test_files::ListNames(path);
    std::sort(names.begin(), names.end());
    return names;
}
