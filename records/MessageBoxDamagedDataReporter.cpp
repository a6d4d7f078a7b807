#include "records/MessageBoxDamagedDataReporter.h"

void MessageBoxDamagedDataReporter::reportDamagedScores()
{
    MessageBoxW(owner(), L"スコアデータに異常が見つかりました", L"エラー", MB_OK);
}

void MessageBoxDamagedDataReporter::reportUnreadFileKept(const std::wstring& fullPath, const std::wstring& backupPath)
{
    const std::wstring text = L"設定ファイルを起動時に読み込めなかったため、初期設定で始めました。\n"
                              L"それまでの設定とハイスコアは、次のファイルに残してあります。\n" +
                              backupPath +
                              L"\n\n"
                              L"新しい設定とハイスコアは、次のファイルに保存しました。\n" +
                              fullPath;
    MessageBoxW(owner(), text.c_str(), L"エラー", MB_OK);
}
