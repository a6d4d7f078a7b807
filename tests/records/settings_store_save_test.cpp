// Saving as a whole: a save cut off after any call leaves the old file, a
// failed save is reported once and loses nothing, and a file whose entries
// could not be taken is kept before it is replaced.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ExampleSettingsFile.h"
#include "FakeProfileStorage.h"
#include "RecordingReporter.h"
#include "ScoreRecordComparison.h"
#include "records/ScoreChecksum.h"
#include "records/SettingsStore.h"

namespace {

std::list<ScoreRecord> newerRecords()
{
    return {ScoreRecord{L"新記録", L"2013/1/2", 7000, 40}, ScoreRecord{L"名無しさん", L"2012/3/5", 1000, 12},
            ScoreRecord{L"三番", L"2013/1/1", 300, 3}};
}

class SettingsStoreSaveTest : public ::testing::Test {
protected:
    SettingsStore loadedAgain()
    {
        file.failFromCall = 0;
        SettingsStore next(file, reporter, saveFailures);
        next.load();
        return next;
    }

    void fillWithNewer(SettingsStore& target) const
    {
        target.sound = false;
        target.guide = true;
        target.windowLeft = -8;
        target.windowTop = 99;
        target.records = newerRecords();
    }

    FakeProfileStorage file;
    RecordingReporter reporter;
    RecordingSaveFailureReporter saveFailures;
};

// The number of calls one save of the newer table makes: six settings, four
// keys per entry, and the commit.
int callsOfOneSave()
{
    return 6 + 4 * static_cast<int>(newerRecords().size()) + 1;
}

TEST_F(SettingsStoreSaveTest, ASaveCutAfterAnyCallLeavesTheOldFileOrTheNewOne)
{
    for (int cut = 1; cut <= callsOfOneSave() + 1; ++cut) {
        SCOPED_TRACE(cut);
        file = FakeProfileStorage();
        file.stored = FakeProfileFile(exampleFileLines());
        SettingsStore store(file, reporter, saveFailures);
        fillWithNewer(store);
        file.failFromCall = cut;
        const bool saved = store.save();
        EXPECT_EQ(saved, cut > callsOfOneSave());

        reporter.reports = 0;
        const SettingsStore next = loadedAgain();
        EXPECT_EQ(reporter.reports, 0);
        if (saved) {
            EXPECT_EQ(next.records, newerRecords());
            EXPECT_EQ(next.windowLeft, -8);
        } else {
            EXPECT_EQ(file.stored.lines(), exampleFileLines());
            EXPECT_EQ(next.records, exampleRecords());
            EXPECT_EQ(next.windowLeft, 120);
        }
    }
}

TEST_F(SettingsStoreSaveTest, FailuresAreReportedOnceAndLoseNothingInMemory)
{
    file.stored = FakeProfileFile(exampleFileLines());
    SettingsStore store(file, reporter, saveFailures);
    fillWithNewer(store);
    file.failFromCall = 1;
    EXPECT_FALSE(store.save());
    EXPECT_FALSE(store.save());
    EXPECT_FALSE(store.save());
    EXPECT_EQ(saveFailures.paths, std::vector<std::wstring>{file.fullPath()});
    EXPECT_EQ(store.records, newerRecords());
    EXPECT_EQ(store.windowLeft, -8);

    // Once the disk takes writes again, the next save stores it all.
    file.failFromCall = 0;
    EXPECT_TRUE(store.save());
    EXPECT_EQ(loadedAgain().records, newerRecords());
    EXPECT_EQ(saveFailures.paths.size(), 1u);
}

TEST_F(SettingsStoreSaveTest, ASuccessfulSaveReportsNothing)
{
    SettingsStore store(file, reporter, saveFailures);
    fillWithExample(store);
    EXPECT_TRUE(store.save());
    EXPECT_TRUE(store.save());
    EXPECT_TRUE(saveFailures.paths.empty());
    EXPECT_EQ(file.stored.lines(), exampleFileLines());
}

// The entries of a file whose table was not taken stay in the backup; a file
// that loaded as it stood gets none.
TEST_F(SettingsStoreSaveTest, AFileWhoseEntriesWereNotTakenIsKeptOnceBeforeTheFirstSave)
{
    std::vector<std::wstring> tampered = exampleFileLines();
    std::replace(tampered.begin(), tampered.end(), std::wstring(L"Score=1000"), std::wstring(L"Score=1001"));
    const struct {
        const char* what;
        std::vector<std::wstring> lines;
        std::size_t backups;
    } cases[] = {
        {"valid", exampleFileLines(), 0},
        {"no file", {}, 0},
        {"damaged checksum", tampered, 1},
        {"count over the bound", {L"[Brixol]", L"HighScoreNum=2000000000", L"CheckSum=0"}, 1},
        {"a file that could not be read", exampleFileLines(), 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        file = FakeProfileStorage();
        file.stored = FakeProfileFile(c.lines);
        file.unreadable = std::string(c.what) == "a file that could not be read";
        SettingsStore store(file, reporter, saveFailures);
        store.load();
        file.unreadable = false;
        store.records = newerRecords();
        EXPECT_TRUE(store.save());
        EXPECT_TRUE(store.save());
        ASSERT_EQ(file.backups.size(), c.backups);
        if (c.backups > 0) {
            EXPECT_EQ(file.backups.front().lines(), c.lines);
        }
    }
}

TEST_F(SettingsStoreSaveTest, AFailedSaveStillKeepsTheBackupForTheNextOne)
{
    file.stored = FakeProfileFile({L"[Brixol]", L"HighScoreNum=1", L"CheckSum=1", L"[HighScore0]", L"Score=5"});
    const std::vector<std::wstring> original = file.stored.lines();
    SettingsStore store(file, reporter, saveFailures);
    store.load();
    file.failFromCall = 3;
    EXPECT_FALSE(store.save());
    EXPECT_TRUE(file.backups.empty());
    file.failFromCall = 0;
    EXPECT_TRUE(store.save());
    ASSERT_EQ(file.backups.size(), 1u);
    EXPECT_EQ(file.backups.front().lines(), original);
}

// A file that could not be read is not an empty one: the program runs with
// the defaults, and the first save that replaces the file keeps it and says
// where; a save that failed left the file as it was and says nothing of it.
TEST_F(SettingsStoreSaveTest, AFileThatCouldNotBeReadIsKeptAndTheUserToldWhereOnce)
{
    file.stored = FakeProfileFile(exampleFileLines());
    file.unreadable = true;
    SettingsStore store(file, reporter, saveFailures);
    store.records = exampleRecords();
    store.windowLeft = 5;
    store.load();
    file.unreadable = false;
    EXPECT_TRUE(store.records.empty());
    EXPECT_EQ(store.windowLeft, 0);
    EXPECT_TRUE(store.sound);
    EXPECT_EQ(reporter.reports, 0) << "not damaged data";
    EXPECT_TRUE(reporter.unreadFilesKept.empty()) << "nothing has happened to the file yet";

    store.records = newerRecords();
    file.failFromCall = 1;
    EXPECT_FALSE(store.save());
    EXPECT_TRUE(reporter.unreadFilesKept.empty());
    EXPECT_EQ(file.stored.lines(), exampleFileLines());

    file.failFromCall = 0;
    EXPECT_TRUE(store.save());
    EXPECT_TRUE(store.save());
    ASSERT_EQ(reporter.unreadFilesKept.size(), 1u);
    EXPECT_EQ(reporter.unreadFilesKept.front().fullPath, file.fullPath());
    EXPECT_EQ(reporter.unreadFilesKept.front().backupPath, file.fullPath() + L".bak");
    ASSERT_EQ(file.backups.size(), 1u);
    EXPECT_EQ(file.backups.front().lines(), exampleFileLines());
    EXPECT_EQ(loadedAgain().records, newerRecords());
}

}  // namespace
