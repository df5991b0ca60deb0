#include "settings/app_paths.h"

#include "core/mbcs.h"
#include "core/texts.h"
#include "platform/message_box.h"
#include "platform/module_path.h"
#include "platform/text.h"
#include "settings/setting_keys.h"
#include "settings/settings_store.h"

AppPaths::AppPaths() : AppPaths(platform::ExecutablePath()) {}

AppPaths::AppPaths(const std::string& executable) {
    std::string path = executable;
    if (path.empty()) {
        path = ".\\Varnel.exe";
        ShowMessageBox(nullptr, texts::kModulePathFailed, texts::kTitleModulePath, kMbIconError);
    }
    executablePath.SetFromFullPath(path);
}

std::string AppPaths::IniPath() const {
    PathName ini = executablePath;
    ini.SetFileName("varnel.ini");
    return ini.SlashPath();
}

std::string AppPaths::IniFolder() const {
    return mbcs::ToSlashForm(executablePath.Folder());
}

void AppPaths::SetIOFilePath(const std::string& fullPath) {
    if (mbcs::FindFirst(fullPath, '\\') == std::string::npos) {
        ioFilePath.SetFromFullPath(ExecutableFolder() + "\\" + fullPath);
    } else {
        ioFilePath.SetFromFullPath(fullPath);
    }
}

bool IniPathToHeld(const std::string& stored, std::string* held) {
    return platform::Cp932ToHeld(stored, held) && !platform::HoldsEscapes(*held);
}

namespace {

std::string StoredPath(SettingsStore& store, const char* key, const std::string& defaultPath) {
    std::string held;
    return IniPathToHeld(store.GetString(key, defaultPath), &held) ? held : defaultPath;
}

}  // namespace

int RegisterDefaultSettings(SettingsStore* settings, AppPaths* appPaths) {
    SetSettingsStore(settings);
    SettingsStore& store = *settings;
    AppPaths& paths = *appPaths;
    RegisterSetting(kIdTopMost, keys::kTopMost, "off");
    RegisterSetting(kIdUseExtension, keys::kUseExtension, "off");
    RegisterSetting(kIdSingleApp, keys::kSingleApp, "on");
    paths.SetIOFilePath(
        StoredPath(store, keys::kIOFilePath, paths.ExecutableFolder() + "\\tmp.txt"));
    paths.SetToolPath(StoredPath(store, keys::kToolPath, "notepad"));
    RegisterSetting(kIdAutoSort, keys::kAutoSort, "on");
    RegisterSetting(kIdAutoCBCopy, keys::kAutoCBCopy, "off");
    RegisterSetting(kIdAutoRename, keys::kAutoRename, "on");
    RegisterSetting(kIdConvertIllegalName, keys::kConvertIllegalName, "on");
    RegisterSetting(kIdAutoFileOpen, keys::kAutoFileOpen, "on");
    RegisterSetting(kIdAutoFileClose, keys::kAutoFileClose, "on");
    RegisterSetting(kIdConfirmEnd, keys::kConfirmEnd, "on");
    RegisterSetting(kIdSayNotText, keys::kDlgCBisntTxt, "on");
    RegisterSetting(kIdRefuseTooFewLines, keys::kDlgCBisShort, "on");
    RegisterSetting(kIdSayListedAgain, keys::kDlgItsNotNewPath, "on");
    RegisterSetting(kIdCheckNames, keys::kDlgFNisWrong, "off");
    RegisterSetting(kIdRefuseNested, keys::kDlgAddErrPath, "on");
    RegisterSetting(kIdRefuseTooManyLines, keys::kDlgCBisLong, "on");
    store.GetInt(keys::kColumnWidthEdit, 150);
    store.GetInt(keys::kColumnWidthNow, 150);
    store.GetInt(keys::kColumnWidthOld, 150);
    store.GetInt(keys::kColumnWidthPath, 150);
    store.GetString(keys::kPathCDlgOpen, paths.ExecutableFolder());
    return 0;
}
