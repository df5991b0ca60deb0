// Test folders and files through the wide-character functions, so that the names the tests make
// reach the disk exactly as the program's own conversion would give them.

#include <windows.h>

#include "gtest/gtest.h"
#include "platform/text.h"
#include "tests/support/test_files.h"

namespace {

std::wstring Native(const std::string& path) {
    std::wstring native;
    if (!platform::ToNative(path, &native)) {
        ADD_FAILURE() << "no exact UTF-16 form: " << path;
    }
    return native;
}

std::wstring Hex4(DWORD n) {
    std::wstring digits;
    for (int shift = 12; shift >= 0; shift -= 4) {
        digits += L"0123456789abcdef"[(n >> shift) & 0xF];
    }
    return digits;
}

bool IsDotEntry(const wchar_t* name) {
    return std::wstring(name) == L"." || std::wstring(name) == L"..";
}

// Works on UTF-16 names throughout, so that items a test made with names that have no cp932 form
// are removed as well.
void RemoveNativeTree(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (!DeleteFileW(path.c_str())) {
            ADD_FAILURE() << "cannot delete a test file, error " << GetLastError();
        }
        return;
    }
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((path + L"\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            if (IsDotEntry(data.cFileName)) {
                continue;
            }
            const std::wstring child = path + L"\\" + data.cFileName;
            SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveNativeTree(child);
            } else if (!DeleteFileW(child.c_str())) {
                ADD_FAILURE() << "cannot delete a test file, error " << GetLastError();
            }
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!RemoveDirectoryW(path.c_str())) {
        ADD_FAILURE() << "cannot remove a test folder, error " << GetLastError();
    }
}

}  // namespace

namespace test_files {

std::string MakeTempFolder() {
    wchar_t temp[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathW(MAX_PATH + 1, temp);
    if (length == 0 || length > MAX_PATH) {
        ADD_FAILURE() << "no temporary folder, error " << GetLastError();
        return "";
    }
    DWORD seed = GetTickCount() ^ (GetCurrentProcessId() << 16);
    for (int attempt = 0; attempt < 0x10000; ++attempt) {
        const std::wstring folder = std::wstring(temp) + L"varnel-test-" + Hex4(seed + attempt);
        if (CreateDirectoryW(folder.c_str(), nullptr)) {
            std::string path;
            if (!platform::FromNative(folder, &path)) {
                ADD_FAILURE() << "the temporary folder has no exact cp932 form";
                RemoveDirectoryW(folder.c_str());
                return "";
            }
            return path;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS) {
            break;
        }
    }
    ADD_FAILURE() << "cannot create a test folder, error " << GetLastError();
    return "";
}

void RemoveTree(const std::string& path) {
    if (!path.empty()) {
        RemoveNativeTree(Native(path));
    }
}

void WriteFile(const std::string& path, const std::string& contents) {
    HANDLE file = CreateFileW(Native(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        ADD_FAILURE() << "cannot create " << path << ", error " << GetLastError();
        return;
    }
    DWORD written = 0;
    if (!::WriteFile(file, contents.data(), static_cast<DWORD>(contents.size()), &written,
                     nullptr) ||
        written != contents.size()) {
        ADD_FAILURE() << "cannot write " << path << ", error " << GetLastError();
    }
    CloseHandle(file);
}

void MakeFolder(const std::string& path) {
    if (!CreateDirectoryW(Native(path).c_str(), nullptr)) {
        ADD_FAILURE() << "cannot create folder " << path << ", error " << GetLastError();
    }
}

bool ReadFile(const std::string& path, std::string* contents) {
    contents->clear();
    HANDLE file = CreateFileW(Native(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    bool ok = true;
    char buffer[4096];
    for (;;) {
        DWORD got = 0;
        if (!::ReadFile(file, buffer, sizeof buffer, &got, nullptr)) {
            ok = false;
            break;
        }
        if (got == 0) {
            break;
        }
        contents->append(buffer, got);
    }
    CloseHandle(file);
    return ok;
}

std::vector<std::string> ListNames(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((Native(folder) + L"\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) {
        ADD_FAILURE() << "cannot list " << folder << ", error " << GetLastError();
        return names;
    }
    do {
        if (IsDotEntry(data.cFileName)) {
            continue;
        }
        std::string name;
        if (platform::FromNative(data.cFileName, &name)) {
            names.push_back(name);
        } else {
            ADD_FAILURE() << "a name in " << folder << " has no exact cp932 form";
        }
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return names;
}

}  // namespace test_files
