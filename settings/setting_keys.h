// Every settings key and the control id of each on/off setting, in one place.
#pragma once

namespace keys {

constexpr const char kSection[] = "Basic";

constexpr const char kTopMost[] = "TopMost";
constexpr const char kUseExtension[] = "UseExtension";
constexpr const char kSingleApp[] = "SingleApp";
constexpr const char kIOFilePath[] = "IOFilePath";
constexpr const char kToolPath[] = "ToolPath";
constexpr const char kAutoSort[] = "AutoSort";
constexpr const char kAutoCBCopy[] = "AutoCBCopy";
constexpr const char kAutoRename[] = "AutoRename";
constexpr const char kConvertIllegalName[] = "ConvertIllegalName";
constexpr const char kAutoFileOpen[] = "AutoFileOpen";
constexpr const char kAutoFileClose[] = "AutoFileClose";
constexpr const char kConfirmEnd[] = "ConfirmEnd";
constexpr const char kDlgCBisntTxt[] = "DlgCBisntTxt";
constexpr const char kDlgCBisShort[] = "DlgCBisShort";
constexpr const char kDlgItsNotNewPath[] = "DlgItsNotNewPath";
constexpr const char kDlgFNisWrong[] = "DlgFNisWrong";
constexpr const char kDlgAddErrPath[] = "DlgAddErrPath";
constexpr const char kDlgCBisLong[] = "DlgCBisLong";
constexpr const char kColumnWidthEdit[] = "ColumnWidth_Edit";
constexpr const char kColumnWidthNow[] = "ColumnWidth_Now";
constexpr const char kColumnWidthOld[] = "ColumnWidth_Old";
constexpr const char kColumnWidthPath[] = "ColumnWidth_Path";
constexpr const char kPathCDlgOpen[] = "Path_CDlgOpen";
constexpr const char kWindowPosX[] = "WindowPos_X";
constexpr const char kWindowPosY[] = "WindowPos_Y";
constexpr const char kWindowMode[] = "WindowMode";
constexpr const char kWindowSizeX[] = "WindowSize_X";
constexpr const char kWindowSizeY[] = "WindowSize_Y";
constexpr const char kEditAddNumStart[] = "EditAdd_NumStart";
constexpr const char kEditAddNumAdd[] = "EditAdd_NumAdd";
constexpr const char kEditAddHexa[] = "EditAdd_Hexa";

}  // namespace keys

// Control ids of the settings sheet's check boxes, named by what each setting does; the on/off
// settings are reached by them (their INI keys above keep their own names).
enum SettingId : int {
    kIdAutoSort = 1006,
    kIdAutoCBCopy = 1007,
    kIdAutoRename = 1008,
    kIdTopMost = 1009,
    kIdUseExtension = 1010,
    kIdConfirmEnd = 1012,
    kIdCheckNames = 1013,
    kIdRefuseNested = 1014,
    kIdRefuseTooManyLines = 1015,
    kIdAutoFileOpen = 1019,
    kIdAutoFileClose = 1020,
    kIdSayNotText = 1034,
    kIdRefuseTooFewLines = 1035,
    kIdSayListedAgain = 1036,
    kIdSingleApp = 1037,
    kIdConvertIllegalName = 1041,
};
