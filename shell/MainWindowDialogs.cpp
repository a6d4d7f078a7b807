#include "shell/MainWindowDialogs.h"

#include "records/HighScoreTable.h"

std::wstring askHighScoreName(HWND)
{
    return L"名無しさん";
}

void showResultsDialog(HWND, HighScoreTable&)
{
}

void showVersionDialog(HWND)
{
}
