#include "records/MessageBoxDamagedDataReporter.h"

void MessageBoxDamagedDataReporter::reportDamagedScores()
{
    MessageBoxW(owner_, L"スコアデータに異常が見つかりました", L"エラー", MB_OK);
}
