// The date of a high-score entry as stored and shown: "2012/3/5".
#pragma once

#include <string>

// Year, month and day in decimal without leading zeros.
std::wstring formatDateText(int year, int month, int day);
