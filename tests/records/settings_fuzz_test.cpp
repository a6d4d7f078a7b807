// Seeded mutations of a valid settings file through the byte judgement and
// the store: never more than the one damaged-data message per load, nothing
// unbounded, a file that stayed valid keeps its entries, and what was loaded
// survives a save and the next load.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeProfileStorage.h"
#include "SettingsLoadRules.h"
#include "tests/support/SettingsTextLines.h"
#include "records/StoredSettingsText.h"

namespace {

bool acceptEveryByte(const std::string& bytes, std::wstring& text)
{
    text.assign(bytes.begin(), bytes.end());
    for (wchar_t& c : text)
        c = static_cast<wchar_t>(static_cast<unsigned char>(c));
    return true;
}

TEST(SettingsFuzz, MutatedFilesLoadWithinTheRules)
{
    const std::vector<SettingsFileMutation> mutations = settingsFileMutations(20120305u, 600);
    int unreadable = 0;
    int damaged = 0;
    for (std::size_t n = 0; n < mutations.size(); ++n) {
        const SettingsFileMutation& mutation = mutations[n];
        SCOPED_TRACE(std::to_string(n) + ": " + mutation.what);
        const StoredSettingsText stored = readStoredSettingsText(mutation.bytes, acceptEveryByte);
        unreadable += stored.encoding == StoredEncoding::Unreadable;

        FakeProfileStorage file;
        file.stored = FakeProfileFile(settingsTextLines(stored.text));
        RecordingReporter reporter;
        RecordingSaveFailureReporter saveFailures;
        SettingsStore store(file, reporter, saveFailures);
        store.load();
        damaged += reporter.reports;
        expectLoadWithinTheRules(store, reporter.reports);
        expectIntactEntriesKept(store, reporter.reports, mutation);

        expectTableSurvivesSaveAndNextStart(store, file);
        EXPECT_EQ(file.backups.size(), reporter.reports == 1 ? 1u : 0u);
    }
    std::printf("%zu mutations: %d unreadable, %d with the damaged-data message\n", mutations.size(), unreadable,
                damaged);
}

}  // namespace
