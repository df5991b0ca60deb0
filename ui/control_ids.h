// Control ids of the main window's children. They are not unique: the notification routing of
// the main window tells the list (100) by its id.
#pragma once

constexpr int kListViewId = 100;
constexpr int kListModeBarId = 100;
constexpr int kCompactBarId = 101;
constexpr int kTopMostBarId = 102;
constexpr int kStatusBarId = 101;
