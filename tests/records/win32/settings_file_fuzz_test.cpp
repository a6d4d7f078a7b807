// The seeded mutations of the settings file through the profile functions on
// a real file: within the rules of a load, a valid file keeps its entries,
// what was loaded survives a save and the next start, and a file whose table
// was not taken is kept beside the new one.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "SettingsLoadRules.h"
#include "records/Win32ProfileStorage.h"
#include "win/Handles.h"
#include "win32/SettingsFileBytes.h"
#include "tests/support/win32/TemporaryDirectory.h"

namespace {

void removeSettingsFiles()
{
    WIN32_FIND_DATAW found;
    const UniqueFind search(FindFirstFileW(L"Brixol.ini*", &found));
    if (!search)
        return;
    do {
        DeleteFileW(found.cFileName);
    } while (FindNextFileW(search.get(), &found));
}

bool exists(const wchar_t* name)
{
    return GetFileAttributesW(name) != INVALID_FILE_ATTRIBUTES;
}

TEST(SettingsFileFuzz, MutatedFilesLoadWithinTheRules)
{
    const TemporaryDirectory directory;
    const std::vector<SettingsFileMutation> mutations = settingsFileMutations(20120305u, 520);
    int damaged = 0;
    int backups = 0;
    const DWORD start = GetTickCount();
    for (std::size_t n = 0; n < mutations.size(); ++n) {
        const SettingsFileMutation& mutation = mutations[n];
        SCOPED_TRACE(std::to_string(n) + ": " + mutation.what);
        removeSettingsFiles();
        writeSettingsBytes(mutation.bytes);

        Win32ProfileStorage file(kSettingsFilePath);
        RecordingReporter reporter;
        RecordingSaveFailureReporter saveFailures;
        SettingsStore store(file, reporter, saveFailures);
        store.load();
        damaged += reporter.reports;
        expectLoadWithinTheRules(store, reporter.reports);
        expectIntactEntriesKept(store, reporter.reports, mutation);
        if (mutation.entriesKnown) {
            EXPECT_FALSE(exists(L"Brixol.ini.bak"));
        }

        Win32ProfileStorage nextStart(kSettingsFilePath);
        expectTableSurvivesSaveAndNextStart(store, nextStart);
        if (reporter.reports == 1) {
            EXPECT_EQ(readBytesOf("Brixol.ini.bak"), mutation.bytes);
        }
        backups += exists(L"Brixol.ini.bak");
        EXPECT_FALSE(exists(L"Brixol.ini.tmp"));
    }
    removeSettingsFiles();
    std::printf("%zu mutations in %lu ms: %d with the damaged-data message, %d kept as a backup\n", mutations.size(),
                GetTickCount() - start, damaged, backups);
}

}  // namespace
