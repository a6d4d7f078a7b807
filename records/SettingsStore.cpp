#include "records/SettingsStore.h"

#include <string>

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

SettingsStore::SettingsStore(ProfileFile& file, DamagedDataReporter& reporter) : file_(file), reporter_(reporter) {}

void SettingsStore::load()
{
    records.clear();
    loadOptions();
    if (highScoreNum <= 0) {
        checkSum = 0;
        return;
    }
    if (highScoreNum > maxStoredEntries) {
        reporter_.reportDamagedScores();
        return;
    }
    loadEntries();
    if (scoreChecksum() != checkSum) {
        discardEntries();
    }
}

void SettingsStore::loadOptions()
{
    sound = file_.readInt(kOptionsSection, L"Sound", 1) != 0;
    guide = file_.readInt(kOptionsSection, L"Guide", 0) != 0;
    windowLeft = file_.readInt(kOptionsSection, L"WindowLeft", 0);
    windowTop = file_.readInt(kOptionsSection, L"WindowTop", 0);
    highScoreNum = file_.readInt(kOptionsSection, L"HighScoreNum", 0);
    checkSum = static_cast<std::uint32_t>(file_.readInt(kOptionsSection, L"CheckSum", 0));
}

void SettingsStore::loadEntries()
{
    // Entries are kept in file order and not limited to the table's capacity:
    // the table sorts and trims them at its next insertion.
    for (std::int32_t index = 0; index < highScoreNum; ++index) {
        records.push_back(loadEntry(index));
    }
}

ScoreRecord SettingsStore::loadEntry(std::int32_t index) const
{
    const std::wstring section = entrySection(index);
    ScoreRecord record;
    record.lines = file_.readInt(section, L"Lines", 0);
    record.score = file_.readInt(section, L"Score", 0);
    record.date = file_.readString(section, L"Date", L"");
    record.name = file_.readString(section, L"Name", L"");
    return record;
}

void SettingsStore::discardEntries()
{
    // The user is told first; highScoreNum and checkSum keep what was read.
    reporter_.reportDamagedScores();
    records.clear();
}

void SettingsStore::save()
{
    highScoreNum = static_cast<std::int32_t>(records.size());
    checkSum = highScoreNum > 0 ? scoreChecksum() : 0;
    saveOptions();
    std::int32_t index = 0;
    for (const ScoreRecord& record : records) {
        saveEntry(index++, record);
    }
    // Entry sections beyond the new count stay in the file; load reads only
    // the first highScoreNum of them.
}

void SettingsStore::saveOptions()
{
    writeNumber(kOptionsSection, L"Sound", sound ? 1u : 0u);
    writeNumber(kOptionsSection, L"Guide", guide ? 1u : 0u);
    writeNumber(kOptionsSection, L"WindowLeft", bitPattern(windowLeft));
    writeNumber(kOptionsSection, L"WindowTop", bitPattern(windowTop));
    writeNumber(kOptionsSection, L"HighScoreNum", bitPattern(highScoreNum));
    writeNumber(kOptionsSection, L"CheckSum", checkSum);
}

void SettingsStore::saveEntry(std::int32_t index, const ScoreRecord& record)
{
    const std::wstring section = entrySection(index);
    file_.writeString(section, L"Name", record.name);
    file_.writeString(section, L"Date", record.date);
    writeNumber(section, L"Score", bitPattern(record.score));
    writeNumber(section, L"Lines", bitPattern(record.lines));
}

void SettingsStore::writeNumber(const std::wstring& section, const std::wstring& key, std::uint32_t value)
{
    file_.writeString(section, key, std::to_wstring(value));
}

std::uint32_t SettingsStore::scoreChecksum() const
{
    return computeScoreChecksum(records);
}
