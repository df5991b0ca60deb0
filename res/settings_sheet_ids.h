/* Control ids of the settings sheet's pages. A check box's id is the id its setting is
   registered under; 1019 and 1020 are edit and button on the basic page but check boxes on the
   automatic-actions page. Plain defines, so that the resource compiler reads them too. */
#pragma once

/* MYDLG_CUSTOM01, basic */
#define IDK_TOP_MOST 1009
#define IDK_USE_EXTENSION 1010
#define IDK_SINGLE_APP 1037
#define IDE_IO_FILE 1016
#define IDB_BROWSE_IO_FILE 1018
#define IDE_TOOL 1019
#define IDB_BROWSE_TOOL 1020
#define IDB_SEND_TO 1021

/* MYDLG_CUSTOM03, automatic actions */
#define IDK_AUTO_SORT 1006
#define IDK_AUTO_CB_COPY 1007
#define IDK_AUTO_RENAME 1008
#define IDK_CONVERT_ILLEGAL_NAME 1041
#define IDK_AUTO_FILE_OPEN 1019
#define IDK_AUTO_FILE_CLOSE 1020

/* MYDLG_CUSTOM02, message boxes 1 */
#define IDK_CONFIRM_END 1012
#define IDK_DLG_CB_ISNT_TXT 1034
#define IDK_DLG_CB_IS_SHORT 1035
#define IDK_DLG_ITS_NOT_NEW_PATH 1036

/* MYDLG_CUSTOM04, message boxes 2 */
#define IDK_DLG_FN_IS_WRONG 1013
#define IDK_DLG_ADD_ERR_PATH 1014
#define IDK_DLG_CB_IS_LONG 1015

/* MYDLG_CUSTOM09, About */
#define IDI_ABOUT_ICON 1015
#define IDB_ABOUT_LINK 1021
#define IDB_ABOUT_NAME 1022
