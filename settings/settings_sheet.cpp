#include "settings/settings_sheet.h"

#include "core/app_context.h"
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
const int kDialogPage1Ids[] = {kIdConfirmEnd, kIdDlgCBisntTxt, kIdDlgCBisShort, kIdDlgItsNotNewPath,
                               0};
const int kDialogPage2Ids[] = {kIdDlgFNisWrong, kIdDlgAddErrPath, kIdDlgCBisLong, 0};

BasicPageValues LoadBasicPage(AppContext* context) {
    BasicPageValues values;
    values.topMost = GetBool(kIdTopMost);
    values.useExtension = GetBool(kIdUseExtension);
    values.singleApp = GetBool(kIdSingleApp);
    values.ioFilePath = context->settings->GetString(keys::kIOFilePath, "");
    values.toolPath = context->settings->GetString(keys::kToolPath, "");
    return values;
}

std::string PathTooLongText(const char* label, size_t bytes) {
    return std::string(label) + "が長すぎます（" + IntToText(static_cast<int>(bytes)) +
           "バイト）。\n" + IntToText(static_cast<int>(kSheetPathLimit)) +
           "バイト以内で指定してください。";
}

int StoreBasicPage(AppContext* context, const BasicPageValues& values, WindowHandle page) {
    const struct {
        const char* label;
        const std::string& text;
    } paths[] = {{kExchangeFileLabel, values.ioFilePath}, {kToolLabel, values.toolPath}};
    for (const auto& path : paths) {
        if (path.text.size() > kSheetPathLimit) {
            ShowMessageBox(page, PathTooLongText(path.label, path.text.size()), "エラー：設定",
                           kMbIconError);
            return 1;
        }
    }
    SetBool(kIdTopMost, values.topMost);
    SetBool(kIdUseExtension, values.useExtension);
    SetBool(kIdSingleApp, values.singleApp);
    context->settings->SetString(keys::kIOFilePath, values.ioFilePath);
    context->paths->SetIOFilePath(values.ioFilePath);
    context->settings->SetString(keys::kToolPath, values.toolPath);
    context->paths->SetToolPath(values.toolPath);
    return 0;
}
