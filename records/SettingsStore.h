// The in-memory copy of the settings file: the options, the main window's
// position and the stored high-score entries. Loaded once when the main window
// is created and saved once when it is destroyed.
#pragma once

#include <cstdint>
#include <list>

#include "records/DamagedDataReporter.h"
#include "records/ProfileFile.h"
#include "records/ScoreRecord.h"

// Relative on purpose: the file lives in the current directory, not beside the
// executable.
inline constexpr wchar_t kSettingsFilePath[] = L"./Brixol.ini";

class SettingsStore {
public:
    // More entries than this can only come from a damaged or edited file;
    // reading them all would allocate without bound.
    static constexpr std::int32_t maxStoredEntries = 1000;

    // Both must outlive the store.
    SettingsStore(ProfileFile& file, DamagedDataReporter& reporter);

    // Missing values take their defaults. Entries whose scores do not match
    // the stored checksum are reported and discarded.
    void load();
    // Sets highScoreNum and checkSum from records, then writes every field.
    void save();
    // Requires at least one record.
    std::uint32_t scoreChecksum() const;

    bool sound = true;
    bool guide = false;
    std::int32_t windowLeft = 0;
    std::int32_t windowTop = 0;
    std::int32_t highScoreNum = 0;
    std::uint32_t checkSum = 0;
    std::list<ScoreRecord> records;  // in file order; entry 0 is the best

private:
    void loadOptions();
    void loadEntries();
    ScoreRecord loadEntry(std::int32_t index) const;
    void discardEntries();
    void saveOptions();
    void saveEntry(std::int32_t index, const ScoreRecord& record);
    void writeNumber(const std::wstring& section, const std::wstring& key, std::uint32_t value);

    ProfileFile& file_;
    DamagedDataReporter& reporter_;
};
