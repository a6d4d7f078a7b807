// Seeded mutations of a valid settings file through the byte judgement and
// the store: never more than the one damaged-data message per load, nothing
// unbounded, a file that stayed valid keeps its entries, and what was loaded
// survives a save and the next load.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeProfileStorage.h"
#include "RecordingReporter.h"
#include "ScoreRecordComparison.h"
#include "SettingsFileMutations.h"
#include "records/SettingsStore.h"
#include "records/StoredSettingsText.h"

namespace {

bool acceptEveryByte(const std::string& bytes, std::wstring& text)
{
    text.assign(bytes.begin(), bytes.end());
    for (wchar_t& c : text)
        c = static_cast<wchar_t>(static_cast<unsigned char>(c));
    return true;
}

// The lines as the profile functions split them: at LF, a CR before it
// dropped.
std::vector<std::wstring> linesOf(const std::wstring& text)
{
    std::vector<std::wstring> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(L'\n', start);
        if (end == std::wstring::npos)
            end = text.size();
        std::wstring line = text.substr(start, end - start);
        if (!line.empty() && line.back() == L'\r')
            line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
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
        file.stored = FakeProfileFile(linesOf(stored.text));
        RecordingReporter reporter;
        RecordingSaveFailureReporter saveFailures;
        SettingsStore store(file, reporter, saveFailures);
        store.load();
        damaged += reporter.reports;
        ASSERT_LE(reporter.reports, 1);
        EXPECT_LE(store.records.size(), static_cast<std::size_t>(SettingsStore::maxStoredEntries));
        if (reporter.reports == 1) {
            EXPECT_TRUE(store.records.empty());
        }
        if (mutation.entriesKnown) {
            EXPECT_EQ(reporter.reports, 0);
            EXPECT_EQ(store.records, mutation.entries);
        }

        const std::list<ScoreRecord> loaded = store.records;
        ASSERT_TRUE(store.save());
        EXPECT_EQ(file.backups.size(), reporter.reports == 1 ? 1u : 0u);
        SettingsStore next(file, reporter, saveFailures);
        reporter.reports = 0;
        next.load();
        EXPECT_EQ(reporter.reports, 0);
        EXPECT_EQ(next.records, loaded);
    }
    std::printf("%zu mutations: %d unreadable, %d with the damaged-data message\n", mutations.size(), unreadable,
                damaged);
}

}  // namespace
