// A process ended at random moments of its saves: the next start always finds
// the old table or the new one, and never the damaged-data message.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdint>
#include <random>
#include <string>

#include "RecordingReporter.h"
#include "ScoreRecordComparison.h"
#include "records/SettingsStore.h"
#include "records/Win32ProfileStorage.h"
#include "win/Handles.h"
#include "win32/SaveChildTables.h"
#include "tests/support/win32/TemporaryDirectory.h"

namespace {

std::wstring saveChildPath()
{
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring self(path, length < MAX_PATH ? length : 0);
    return self.substr(0, self.find_last_of(L"\\/") + 1) + L"records_save_child.exe";
}

// Starts the child, waits for its first save, lets it run for the delay and
// ends it. False if it could not be started or never saved.
bool runAndKill(const std::wstring& child, DWORD delayMs)
{
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    const UniqueKernelHandle ready(CreateEventW(&inheritable, TRUE, FALSE, nullptr));
    if (!ready)
        return false;
    std::wstring commandLine =
        L"\"" + child + L"\" " + std::to_wstring(reinterpret_cast<std::uintptr_t>(ready.get()));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(child.c_str(), &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                        &started))
        return false;
    const UniqueKernelHandle process(started.hProcess);
    const UniqueKernelHandle thread(started.hThread);
    const bool saved = WaitForSingleObject(ready.get(), 20000) == WAIT_OBJECT_0;
    if (saved)
        Sleep(delayMs);
    TerminateProcess(process.get(), 1);
    WaitForSingleObject(process.get(), 20000);
    return saved;
}

TEST(KilledSave, TheNextStartSeesTheOldTableOrTheNewOne)
{
    const TemporaryDirectory directory;
    const std::wstring child = saveChildPath();
    std::mt19937 random(19700101u);
    const int rounds = 25;
    int cutMidSave = 0;
    int first = 0;
    for (int round = 0; round < rounds; ++round) {
        SCOPED_TRACE(round);
        ASSERT_TRUE(runAndKill(child, random() % 60)) << "the save child did not run";
        cutMidSave += GetFileAttributesW(L"Brixol.ini.tmp") != INVALID_FILE_ATTRIBUTES;

        Win32ProfileStorage file(kSettingsFilePath);
        RecordingReporter reporter;
        RecordingSaveFailureReporter saveFailures;
        SettingsStore store(file, reporter, saveFailures);
        store.load();
        EXPECT_EQ(reporter.reports, 0);
        const bool isFirst = store.records == firstSavedTable();
        first += isFirst;
        EXPECT_TRUE(isFirst || store.records == secondSavedTable()) << ::testing::PrintToString(store.records);
        EXPECT_EQ(store.windowLeft, isFirst ? 120 : 1);
    }
    std::printf("%d kills, %d of them in the middle of a save; the first table %d times, the second %d times\n",
                rounds, cutMidSave, first, rounds - first);
}

}  // namespace
