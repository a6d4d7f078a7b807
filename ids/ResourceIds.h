// Numeric identifiers of the program's resources, menu commands and controls.
// Shared by the resource scripts and the code, so plain #defines.
#pragma once

// Icon, bitmaps, sounds
#define IDI_BRIXOL 40000
#define IDB_FRAME 40005
#define IDB_TILES 40010
#define IDW_LINES_CLEARED 40015
#define IDW_TURN 40020
#define IDW_PIECE_LOCKED 40025
#define IDW_LEVEL_UP 40030
#define IDW_MOVE 40035
#define IDW_GAME_OVER 40040

// Dialog templates and their controls
#define IDD_RECORD 40045
#define IDD_RESULTS 40050
#define IDC_RESULTS_TEXT 40055
#define IDC_RECORD_NAME 40060
#define IDC_RESULTS_RESET 40065
#define IDC_RESULTS_CLOSE 40070
#define IDD_VERSION 40075
#define IDC_VERSION_ICON 40080
#define IDC_VERSION_LINK 40085
#define IDC_VERSION_TEXT 40090

// Menu and its commands
#define IDR_MAIN_MENU 40100
#define ID_GAME_START 40105
#define ID_GAME_PAUSE 40110
#define ID_GAME_RESULTS 40115
#define ID_GAME_EXIT 40120
#define ID_HELP_VERSION 40125
#define ID_OPTION_SOUND 40130
#define ID_OPTION_GUIDE 40131

// Shortcut table and its commands (ids of their own, apart from the menu's)
#define IDR_SHORTCUTS 40135
#define ID_KEY_RESULTS 40140
#define ID_KEY_PAUSE 40145
#define ID_KEY_START 40150
#define ID_KEY_SOUND 40155
#define ID_KEY_GUIDE 40156
#define ID_KEY_EXIT 40160

// Dialog controls with no id of their own
#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
