// Every command's gray rules at a glance: whether it changes the list (and so waits while a pass
// runs or the names are out), and where the menus gray it.
#include "ui/command_states.h"

#include <algorithm>

#include "gtest/gtest.h"
#include "res/resource_ids.h"

namespace {

bool Has(const std::vector<int>& ids, int id) {
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}

TEST(CommandStates, EachCommandsRulesInOneTable) {
    const struct {
        int id;
        bool changesList;
        bool rowMenu;     // grayed in the row menu over no selection
        bool columnMenu;  // grayed in the column menu over an empty list
    } kCommands[] = {
        {IDC_EXIT, false, false, false},
        {IDC_OPEN, true, false, false},
        {IDC_EXPORT_CLIPBOARD, false, false, false},
        {IDC_IMPORT_CLIPBOARD, true, false, false},
        {IDC_RENAME, true, false, false},
        {IDC_RESTORE, true, false, false},
        {IDC_NEW, true, false, false},
        {IDC_SETTINGS, false, false, false},
        {IDC_TOP_MOST, false, false, false},
        {IDC_SORT_NOW_PATH, true, false, false},
        {IDC_EXPORT_FILE, true, false, false},
        {IDC_IMPORT_FILE, true, false, false},
        {IDC_OPEN_FILE, false, false, false},
        {IDC_CONVERT_ILLEGAL, true, false, false},
        {IDC_MODE_CHANGE, false, false, false},
        {IDC_PASTE_OLD, true, true, false},
        {IDC_PASTE_CLIPBOARD, true, true, false},
        {IDC_PASTE_DELETE, true, true, false},
        {IDC_COPY_EDIT, false, true, false},
        {IDC_COLUMN_TO_CLIPBOARD, false, false, true},
        {IDC_COLUMN_TO_FILE, true, false, true},
        {IDC_SORT_FILE_NAME, true, false, true},
        {IDC_SORT_FULL_PATH, true, false, true},
        {IDC_MOVE_TOP, true, true, false},
        {IDC_MOVE_BOTTOM, true, true, false},
        {IDC_SELECT_ALL, false, false, false},
        {IDC_ADD_TEXT_FRONT, true, true, false},
        {IDC_ADD_NUM_REPLACE, true, true, false},
        {IDC_ADJUST_DEFAULT, false, false, false},
        {IDC_COLUMNS_FIT_ITEMS, false, false, false},
    };
    for (const auto& c : kCommands) {
        SCOPED_TRACE(c.id);
        EXPECT_EQ(ChangesList(c.id), c.changesList);
        EXPECT_EQ(Has(RowMenuGrays(false), c.id), c.rowMenu);
        EXPECT_EQ(Has(ColumnMenuGrays(false), c.id), c.columnMenu);
    }
    EXPECT_TRUE(RowMenuGrays(true).empty());
    EXPECT_TRUE(ColumnMenuGrays(true).empty());

    // Rename and the conversion follow the edit names, restore the renamed entries.
    for (const bool needs : {false, true}) {
        for (const bool renamed : {false, true}) {
            const CommandGrays expected = {
                {IDC_RENAME, !needs}, {IDC_RESTORE, !renamed}, {IDC_CONVERT_ILLEGAL, !needs}};
            EXPECT_EQ(ListStateGrays(needs, renamed), expected) << needs << renamed;
        }
    }
}

}  // namespace
