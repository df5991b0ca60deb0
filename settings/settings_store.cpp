#include "settings/settings_store.h"

#include <climits>
#include <map>
#include <utility>

#include "platform/profile.h"
#include "platform/text.h"

SettingEntry::SettingEntry(std::string entryKey, std::string entryValue)
    : key(std::move(entryKey)), value(entryValue), initialValue(std::move(entryValue)) {}

SettingEntry::~SettingEntry() = default;

SettingsStore::SettingsStore(std::string storeSection, std::string storeIniPath)
    : section(std::move(storeSection)), iniPath(std::move(storeIniPath)) {}

SettingsStore::~SettingsStore() {
    // A failed write (read-only folder or file) keeps the old file; there is nobody left to tell.
    for (const std::unique_ptr<SettingEntry>& entry : entries) {
        platform::WriteProfileString(section, entry->Key(), entry->Value(), iniPath);
    }
}

SettingEntry* SettingsStore::Find(const std::string& key) {
    for (const std::unique_ptr<SettingEntry>& entry : entries) {
        if (entry->Key() == key) {
            return entry.get();
        }
    }
    return nullptr;
}

SettingEntry* SettingsStore::Load(const std::string& key, const std::string& defaultValue) {
    SettingEntry* entry = Find(key);
    if (entry == nullptr) {
        std::string text = platform::ReadProfileString(section, key, defaultValue, iniPath);
        entries.push_back(std::make_unique<SettingEntry>(key, std::move(text)));
        entry = entries.back().get();
    }
    return entry;
}

std::string SettingsStore::GetString(const std::string& key, const std::string& defaultValue) {
    return Load(key, defaultValue)->Value();
}

std::string SettingsStore::GetInitialString(const std::string& key,
                                            const std::string& defaultValue) {
    return Load(key, defaultValue)->InitialValue();
}

int SettingsStore::GetInt(const std::string& key, int defaultValue) {
    return TextToInt(GetString(key, IntToText(defaultValue)));
}

void SettingsStore::SetString(const std::string& key, const std::string& value) {
    // varnel.ini stays cp932: a value that cp932 cannot hold (the folder of a file named in the
    // open dialog, say) is not stored, and the one before it stays.
    if (!platform::IsCanonicalCp932(value)) {
        return;
    }
    // An unread key is not looked up in the file: the value set now replaces it at exit.
    if (SettingEntry* entry = Find(key)) {
        entry->SetValue(value);
    } else {
        entries.push_back(std::make_unique<SettingEntry>(key, value));
    }
}

void SettingsStore::SetInt(const std::string& key, int value) {
    SetString(key, IntToText(value));
}

std::string IntToText(int value) {
    return std::to_string(value);
}

int TextToInt(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // Accumulated as a negative number, whose range holds INT_MIN; anything beyond is clamped.
    int result = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        int digit = text[i] - '0';
        if (result < (INT_MIN + digit) / 10) {
            return negative ? INT_MIN : INT_MAX;
        }
        result = result * 10 - digit;
    }
    if (negative) {
        return result;
    }
    return result == INT_MIN ? INT_MAX : -result;
}

namespace {

SettingsStore* settingsStore = nullptr;

// Control id of a check box on the settings sheet -> the key it edits.
std::map<int, const char*> settingKeyTable;

SettingsStore* Store() {
    return settingsStore;
}

const char* KeyOf(int id) {
    auto found = settingKeyTable.find(id);
    return found != settingKeyTable.end() ? found->second : nullptr;
}

}  // namespace

void SetSettingsStore(SettingsStore* store) {
    settingsStore = store;
}

void RegisterSetting(int id, const char* key, const char* defaultValue) {
    if (key == nullptr) {
        return;
    }
    settingKeyTable[id] = key;
    if (SettingsStore* store = Store()) {
        store->GetString(key, defaultValue != nullptr ? defaultValue : "");
    }
}

bool GetBool(int id) {
    SettingsStore* store = Store();
    const char* key = KeyOf(id);
    return store != nullptr && key != nullptr && store->GetString(key, "") == "on";
}

bool GetInitialBool(int id) {
    SettingsStore* store = Store();
    const char* key = KeyOf(id);
    return store != nullptr && key != nullptr && store->GetInitialString(key, "") == "on";
}

void SetBool(int id, bool on) {
    SettingsStore* store = Store();
    const char* key = KeyOf(id);
    if (store != nullptr && key != nullptr) {
        store->SetString(key, on ? "on" : "off");
    }
}

void ResetSettingKeys() {
    settingKeyTable.clear();
}
