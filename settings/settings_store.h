// The settings: read from the INI file on first use, cached, written back once when the store
// is destroyed. On/off settings are also reached by the control id of their check box.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/handles.h"

class SettingEntry {
  public:
    SettingEntry(std::string key, std::string value);
    virtual ~SettingEntry();

    const std::string& Key() const { return key; }
    const std::string& Value() const { return value; }
    const std::string& InitialValue() const { return initialValue; }
    void SetValue(std::string v) { value = std::move(v); }

  private:
    std::string key;
    std::string value;
    std::string initialValue;
};

class SettingsStore {
  public:
    SettingsStore(std::string section, std::string iniPath);
    virtual ~SettingsStore();  // writes every cached key back to the file
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    std::string GetString(const std::string& key, const std::string& defaultValue);
    std::string GetInitialString(const std::string& key, const std::string& defaultValue);
    int GetInt(const std::string& key, int defaultValue);
    void SetString(const std::string& key, const std::string& value);
    void SetInt(const std::string& key, int value);

    const std::string& IniPath() const { return iniPath; }

  private:
    SettingEntry* Find(const std::string& key);
    SettingEntry* Load(const std::string& key, const std::string& defaultValue);

    // In order of first use: the write-back keeps that order.
    std::vector<std::unique_ptr<SettingEntry>> entries;
    std::string section;
    std::string iniPath;
};

// Decimal text of an int, and the int of a text read the way atoi reads it: an optional sign and
// the leading digits; 0 when there are none.
std::string IntToText(int value);
int TextToInt(const std::string& text);

// The control-id layer. It reaches the store given to SetSettingsStore (none: nullptr).
void SetSettingsStore(SettingsStore* store);
void RegisterSetting(int id, const char* key, const char* defaultValue);
// An id that was never registered, or no store yet, reads as off and is not stored.
bool GetBool(int id);
bool GetInitialBool(int id);
void SetBool(int id, bool on);
// Clears the id table (used when a run's context goes away, and by tests).
void ResetSettingKeys();

void LoadCheckBox(WindowHandle dialog, int id);
void SaveCheckBox(WindowHandle dialog, int id);
