// The dialogs the main window's commands open, each modal over the owner.
#pragma once

#include <windows.h>

#include <string>

class HighScoreTable;

// The name for a new high-score entry.
std::wstring askHighScoreName(HWND owner);

// The score table, which the user may clear.
void showResultsDialog(HWND owner, HighScoreTable& table);

void showVersionDialog(HWND owner);
