#include "records/MessageBoxDamagedDataReporter.h"

#include <windows.h>

void MessageBoxDamagedDataReporter::reportDamagedScores()
{
    // The settings are loaded while the main window is being created, before
    // anyone could hand it to us, so it is found by its class name and title.
    // Without it the box has no owner.
    const HWND mainWindow = FindWindowW(L"Brixol", L"Brixol");
    MessageBoxW(mainWindow, L"スコアデータに異常が見つかりました", L"エラー", MB_OK);
}
