// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Control ids of the main window. Every control's object name is its id ("c1004"), so tests and
// the screenshots find them as the dialog resource named them.
enum ControlId : int {
    IDC_SAVE_PATH = 1000,
    IDC_INPUT = 1001,
    IDC_SITE = 1002,
    IDC_GRID = 1003,
    IDC_LIST_BUTTON = 1004,
    IDC_DOWNLOAD_BUTTON = 1005,
    IDC_PROGRESS = 1006,
    IDC_CHOOSE_FOLDER = 1007,
    IDC_OPEN_FOLDER = 1008,
    IDC_STAGE = 1009,
    IDC_GROUP = 1011,
    IDC_SELECT_ALL = 1012,
    IDC_NOTICE = 1013,
    IDC_PREVIEW = 1014,
    IDC_FIND = 1034,
    IDC_SUBMODE = 1035,
    IDC_FILTER = 1036,
    IDC_EXPORT = 1037,
};

// The object name of a control id: "c1001".
inline QString ControlName(int control) {
    return QStringLiteral("c%1").arg(control);
}
