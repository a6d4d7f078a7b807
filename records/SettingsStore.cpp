#include "records/SettingsStore.h"

#include <string>

#include "records/ProfileDocument.h"
#include "records/ScoreChecksum.h"

namespace {

const std::wstring kOptionsSection = L"Brixol";

std::wstring entrySection(std::int32_t index)
{
    return L"HighScore" + std::to_wstring(index);
}

// Numbers are stored as the unsigned decimal of their 32-bit pattern, so -8
// is written 4294967288; the profile functions read that back as -8.
std::uint32_t bitPattern(std::int32_t value)
{
    return static_cast<std::uint32_t>(value);
}

}  // namespace

SettingsStore::SettingsStore(ProfileStorage& file, DamagedDataReporter& reporter, SaveFailureReporter& saveFailures)
    : file_(file), reporter_(reporter), saveFailures_(saveFailures)
{
}

void SettingsStore::load()
{
    records.clear();
    const std::unique_ptr<ProfileFile> stored = file_.openForReading();
    if (!stored) {
        loadUnreadFile();
        return;
    }
    loadOptions(*stored);
    if (highScoreNum <= 0) {
        checkSum = 0;
        return;
    }
    if (highScoreNum > maxStoredEntries) {
        reporter_.reportDamagedScores();
        file_.keepBeforeReplacing();
        return;
    }
    loadEntries(*stored);
    if (scoreChecksum() != checkSum) {
        discardEntries();
    }
}

// A file that is there but could not be read is never taken for an empty
// one: the program runs with the defaults, and the file is kept as it is
// before the first save replaces it; the user learns where at that save.
void SettingsStore::loadUnreadFile()
{
    loadOptions(ProfileDocument());
    checkSum = 0;
    unreadFileToReport_ = true;
    file_.keepBeforeReplacing();
}

void SettingsStore::loadOptions(const ProfileFile& stored)
{
    sound = stored.readInt(kOptionsSection, L"Sound", 1) != 0;
    guide = stored.readInt(kOptionsSection, L"Guide", 0) != 0;
    windowLeft = stored.readInt(kOptionsSection, L"WindowLeft", 0);
    windowTop = stored.readInt(kOptionsSection, L"WindowTop", 0);
    highScoreNum = stored.readInt(kOptionsSection, L"HighScoreNum", 0);
    checkSum = static_cast<std::uint32_t>(stored.readInt(kOptionsSection, L"CheckSum", 0));
}

void SettingsStore::loadEntries(const ProfileFile& stored)
{
    // Entries are kept in file order and not limited to the table's capacity:
    // the table sorts and trims them at its next insertion.
    for (std::int32_t index = 0; index < highScoreNum; ++index) {
        records.push_back(loadEntry(stored, index));
    }
}

ScoreRecord SettingsStore::loadEntry(const ProfileFile& stored, std::int32_t index)
{
    const std::wstring section = entrySection(index);
    ScoreRecord record;
    record.lines = stored.readInt(section, L"Lines", 0);
    record.score = stored.readInt(section, L"Score", 0);
    record.date = stored.readString(section, L"Date", L"");
    record.name = stored.readString(section, L"Name", L"");
    return record;
}

void SettingsStore::discardEntries()
{
    // The user is told first; highScoreNum and checkSum keep what was read.
    // The entries stay in the backup, for a player who only edited a name.
    reporter_.reportDamagedScores();
    records.clear();
    file_.keepBeforeReplacing();
}

bool SettingsStore::save()
{
    highScoreNum = static_cast<std::int32_t>(records.size());
    checkSum = highScoreNum > 0 ? scoreChecksum() : 0;
    const std::unique_ptr<ProfileReplacement> next = file_.beginReplacement();
    saveOptions(*next);
    std::int32_t index = 0;
    for (const ScoreRecord& record : records) {
        saveEntry(*next, index++, record);
    }
    // Entry sections beyond the new count stay in the file; load reads only
    // the first highScoreNum of them.
    if (!next->commit()) {
        reportSaveFailure();
        return false;
    }
    reportUnreadFileKept();
    return true;
}

void SettingsStore::saveOptions(ProfileFile& target) const
{
    writeNumber(target, kOptionsSection, L"Sound", sound ? 1u : 0u);
    writeNumber(target, kOptionsSection, L"Guide", guide ? 1u : 0u);
    writeNumber(target, kOptionsSection, L"WindowLeft", bitPattern(windowLeft));
    writeNumber(target, kOptionsSection, L"WindowTop", bitPattern(windowTop));
    writeNumber(target, kOptionsSection, L"HighScoreNum", bitPattern(highScoreNum));
    writeNumber(target, kOptionsSection, L"CheckSum", checkSum);
}

void SettingsStore::saveEntry(ProfileFile& target, std::int32_t index, const ScoreRecord& record)
{
    const std::wstring section = entrySection(index);
    target.writeString(section, L"Name", record.name);
    target.writeString(section, L"Date", record.date);
    writeNumber(target, section, L"Score", bitPattern(record.score));
    writeNumber(target, section, L"Lines", bitPattern(record.lines));
}

void SettingsStore::writeNumber(ProfileFile& target, const std::wstring& section, const std::wstring& key,
                                std::uint32_t value)
{
    target.writeString(section, key, std::to_wstring(value));
}

// Scores are saved as they are won, so a file that cannot be written would
// otherwise raise a message at every game; once per run is enough.
void SettingsStore::reportSaveFailure()
{
    if (saveFailureReported_)
        return;
    saveFailureReported_ = true;
    saveFailures_.reportSaveFailure(file_.fullPath());
}

// Once, at the first save that kept the file the load could not read; a save
// that failed left the file as it was.
void SettingsStore::reportUnreadFileKept()
{
    const std::wstring backup = file_.keptBackupPath();
    if (!unreadFileToReport_ || backup.empty())
        return;
    unreadFileToReport_ = false;
    reporter_.reportUnreadFileKept(file_.fullPath(), backup);
}

std::uint32_t SettingsStore::scoreChecksum() const
{
    return computeScoreChecksum(records);
}
