#include "settings/settings_sheet.h"

#include "core/texts.h"
#include "platform/message_box.h"
#include "settings/app_paths.h"
#include "settings/setting_keys.h"
#include "settings/settings_store.h"

const int kAutoPageIds[] = {kIdAutoSort,
                            kIdAutoCBCopy,
                            kIdAutoRename,
                            kIdAutoFileOpen,
                            kIdAutoFileClose,
                            kIdConvertIllegalName,
                            0};
const int kDialogPage1Ids[] = {kIdConfirmEnd, kIdSayNotText, kIdRefuseTooFewLines,
                               kIdSayListedAgain, 0};
const int kDialogPage2Ids[] = {kIdCheckNames, kIdRefuseNested, kIdRefuseTooManyLines, 0};

BasicPageValues LoadBasicPage(const SheetHost& host) {
    BasicPageValues values;
    values.topMost = GetBool(kIdTopMost);
    values.useExtension = GetBool(kIdUseExtension);
    values.singleApp = GetBool(kIdSingleApp);
    values.ioFilePath = host.settings->GetString(keys::kIOFilePath, "");
    values.toolPath = host.settings->GetString(keys::kToolPath, "");
    return values;
}

std::string PathTooLongText(const char* label, size_t bytes) {
    return texts::Fill(texts::kSettingsPathTooLong, {label, IntToText(static_cast<int>(bytes)),
                                                     IntToText(static_cast<int>(kSheetPathLimit))});
}

int StoreBasicPage(const SheetHost& host, const BasicPageValues& values, WindowHandle page) {
    const struct {
        const char* label;
        const std::string& text;
    } paths[] = {{texts::kLabelExchangeFile, values.ioFilePath},
                 {texts::kLabelTool, values.toolPath}};
    for (const auto& path : paths) {
        if (path.text.size() > kSheetPathLimit) {
            ShowMessageBox(page, PathTooLongText(path.label, path.text.size()),
                           texts::kTitleSettingsError, kMbIconError);
            return 1;
        }
    }
    SetBool(kIdTopMost, values.topMost);
    SetBool(kIdUseExtension, values.useExtension);
    SetBool(kIdSingleApp, values.singleApp);
    // A value kept as the file has it because it could not be shown stays out of use, as at start.
    std::string held;
    host.settings->SetString(keys::kIOFilePath, values.ioFilePath);
    if (IniPathToHeld(values.ioFilePath, &held)) {
        host.paths->SetIOFilePath(held);
    }
    host.settings->SetString(keys::kToolPath, values.toolPath);
    if (IniPathToHeld(values.toolPath, &held)) {
        host.paths->SetToolPath(held);
    }
    return 0;
}
