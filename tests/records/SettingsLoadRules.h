// What every load of the settings file keeps, whatever the file holds: at
// most one damaged-data message, a bounded table, no entry kept from a
// damaged table, the entries of a file left intact, and a table that
// survives a save and the next start. Shared by every test that feeds the
// store odd files, on the in-memory fake and on real files alike.
#pragma once

#include <gtest/gtest.h>

#include <list>

#include "RecordingReporter.h"
#include "ScoreRecordComparison.h"
#include "SettingsFileMutations.h"
#include "records/ProfileStorage.h"
#include "records/SettingsStore.h"

inline void expectLoadWithinTheRules(const SettingsStore& store, int reports)
{
    EXPECT_LE(reports, 1) << "more than one damaged-data message for one load";
    EXPECT_LE(store.records.size(), static_cast<std::size_t>(SettingsStore::maxStoredEntries));
    if (reports == 1) {
        EXPECT_TRUE(store.records.empty()) << "entries kept from a damaged table";
    }
}

// A mutation that left the entries intact must give them, without a message.
inline void expectIntactEntriesKept(const SettingsStore& store, int reports, const SettingsFileMutation& mutation)
{
    if (!mutation.entriesKnown)
        return;
    EXPECT_EQ(reports, 0);
    EXPECT_EQ(store.records, mutation.entries);
}

// Saves the store, then loads the file as the next start does, from
// nextStart: the same table, and no message.
inline void expectTableSurvivesSaveAndNextStart(SettingsStore& store, ProfileStorage& nextStart)
{
    const std::list<ScoreRecord> loaded = store.records;
    ASSERT_TRUE(store.save());
    RecordingReporter reporter;
    RecordingSaveFailureReporter saveFailures;
    SettingsStore next(nextStart, reporter, saveFailures);
    next.load();
    EXPECT_EQ(reporter.reports, 0) << "a saved table reported as damaged at the next start";
    EXPECT_EQ(next.records, loaded);
}
