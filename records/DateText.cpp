#include "records/DateText.h"

std::wstring formatDateText(int year, int month, int day)
{
    return std::to_wstring(year) + L"/" + std::to_wstring(month) + L"/" + std::to_wstring(day);
}
