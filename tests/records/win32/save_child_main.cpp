// Saves the two tables of SaveChildTables.h in turn, without end, into
// "./Brixol.ini", so that a test can end it at any moment of a save. The one
// argument is an inheritable event handle, in decimal, set after the first
// save.
#include <windows.h>

#include <cstdint>
#include <cstdlib>

#include "SaveChildTables.h"
#include "records/SettingsStore.h"
#include "records/Win32ProfileStorage.h"

namespace {

class Silent : public DamagedDataReporter, public SaveFailureReporter {
public:
    void reportDamagedScores() override {}
    void reportUnreadFileKept(const std::wstring&, const std::wstring&) override {}
    void reportSaveFailure(const std::wstring&) override {}
};

}  // namespace

int main(int argc, char** argv)
{
    const std::uintptr_t readyValue = argc > 1 ? static_cast<std::uintptr_t>(std::strtoull(argv[1], nullptr, 10)) : 0;
    const HANDLE ready = reinterpret_cast<HANDLE>(readyValue);
    Win32ProfileStorage file(kSettingsFilePath);
    Silent silent;
    SettingsStore store(file, silent, silent);
    for (unsigned round = 0;; ++round) {
        const bool second = round % 2 == 0;
        store.records = second ? secondSavedTable() : firstSavedTable();
        store.windowLeft = second ? 1 : 120;
        store.save();
        if (round == 0 && ready != nullptr)
            SetEvent(ready);
    }
}
