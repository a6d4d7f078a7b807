// The dialogs the main window's commands open, each modal over the owner.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

class HighScoreTable;

// The name for a new high-score entry; none when the dialog could not be
// shown, and then no entry is made.
std::optional<std::wstring> askHighScoreName(HWND owner);

// The score table, which the user may clear; tableCleared runs right after
// the user has cleared it.
void showResultsDialog(HWND owner, HighScoreTable& table, const std::function<void()>& tableCleared);

void showVersionDialog(HWND owner);
