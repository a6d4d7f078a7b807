#include "records/MessageBoxDamagedDataReporter.h"

void MessageBoxDamagedDataReporter::reportDamagedScores()
{
    MessageBoxW(owner(), L"スコアデータに異常が見つかりました", L"エラー", MB_OK);
}
