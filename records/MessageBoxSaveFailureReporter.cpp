#include "records/MessageBoxSaveFailureReporter.h"

void MessageBoxSaveFailureReporter::reportSaveFailure(const std::wstring& fullPath)
{
    const std::wstring text = L"設定とハイスコアを保存できませんでした。\n" + fullPath;
    MessageBoxW(owner(), text.c_str(), L"エラー", MB_OK);
}
