// The in-memory copy of the settings file: the options, the main window's
// position and the stored high-score entries. Loaded once when the main window
// is created; every save replaces the whole file in one step.
#pragma once

#include <cstdint>
#include <list>

#include "records/DamagedDataReporter.h"
#include "records/ProfileFile.h"
#include "records/SaveFailureReporter.h"
#include "records/ScoreRecord.h"
#include "records/ProfileStorage.h"

// Relative on purpose: the file lives in the current directory, not beside the
// executable.
inline constexpr wchar_t kSettingsFilePath[] = L"./Brixol.ini";

class SettingsStore {
public:
    // More entries than this can only come from a damaged or edited file;
    // reading them all would allocate without bound.
    static constexpr std::int32_t maxStoredEntries = 1000;

    // All three must outlive the store.
    SettingsStore(ProfileStorage& file, DamagedDataReporter& reporter, SaveFailureReporter& saveFailures);

    // Missing values take their defaults. Entries whose scores do not match
    // the stored checksum are reported and discarded; the file is then kept
    // as a backup before the next save replaces it. So is a file that could
    // not be read at all, which gives the defaults.
    void load();
    // Sets highScoreNum and checkSum from records, then writes every field
    // into a new version of the file and puts it in place. On failure the
    // file stays as it was, the fields keep their values for the next try,
    // and the first failure of the store's life is reported. The first save
    // that kept a file the load could not read says where it is.
    bool save();
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
    void loadUnreadFile();
    void loadOptions(const ProfileFile& stored);
    void loadEntries(const ProfileFile& stored);
    static ScoreRecord loadEntry(const ProfileFile& stored, std::int32_t index);
    void discardEntries();
    void saveOptions(ProfileFile& target) const;
    static void saveEntry(ProfileFile& target, std::int32_t index, const ScoreRecord& record);
    static void writeNumber(ProfileFile& target, const std::wstring& section, const std::wstring& key,
                            std::uint32_t value);
    void reportSaveFailure();
    void reportUnreadFileKept();

    ProfileStorage& file_;
    DamagedDataReporter& reporter_;
    SaveFailureReporter& saveFailures_;
    bool saveFailureReported_ = false;
    bool unreadFileToReport_ = false;
};
