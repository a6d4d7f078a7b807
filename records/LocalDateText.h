// Today's date in the local time zone, as the text of a new high-score entry.
#pragma once

#include <string>

std::wstring localDateText();
