#include "records/LocalDateText.h"

#include <windows.h>

#include "records/DateText.h"

std::wstring localDateText()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    return formatDateText(now.wYear, now.wMonth, now.wDay);
}
