#include "records/MessageBoxDamagedDataReporter.h"

#include <windows.h>

#include "records/MessageBoxOwner.h"

void MessageBoxDamagedDataReporter::reportDamagedScores()
{
    MessageBoxW(messageBoxOwner(), L"スコアデータに異常が見つかりました", L"エラー", MB_OK);
}
