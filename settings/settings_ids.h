// Control and template ids of the settings window, shared by its resource script, its code and
// the tests that drive it. Plain macros: the resource compiler reads this file too.
#pragma once

#define IDD_SETTINGS 100

#define IDC_FOLDER_GROUP 1000
#define IDC_FOLDER_NOTE 1001
#define IDC_INTO_FOLDER 1002
#define IDC_FOLDER 1003
#define IDC_BROWSE 1004
#define IDC_FIND_SIERRA 1005
#define IDC_BESIDE_PROGRAMS 1006
#define IDC_ZONE_GROUP 1010
#define IDC_ZONE_NOTE 1011
#define IDC_ZONE 1012
#define IDC_SETTINGS_NOTE 1020
