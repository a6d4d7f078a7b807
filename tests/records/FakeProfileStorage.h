// The settings file in memory: the file "on disk" is a FakeProfileFile, each
// save fills a copy and a commit puts the copy in its place. Calls can be made
// to fail from a chosen one on, as a full disk or an ended process would.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "FakeProfileFile.h"
#include "records/ProfileStorage.h"

class FakeProfileStorage : public ProfileStorage {
public:
    // Nothing when the file is to be one that cannot be read.
    std::unique_ptr<ProfileFile> openForReading() override;
    void keepBeforeReplacing() override { backupPending_ = true; }
    std::wstring keptBackupPath() const override { return backups.empty() ? L"" : fullPath() + L".bak"; }
    std::unique_ptr<ProfileReplacement> beginReplacement() override;
    std::wstring fullPath() const override { return L"C:\\Games\\Brixol\\Brixol.ini"; }

    // Counts the writes of every save and its commit, from 1. From call
    // number failFromCall on, each call fails and changes nothing; 0 means
    // that nothing fails.
    bool nextCallFails();

    FakeProfileFile stored;                // the file as it is on disk
    std::vector<FakeProfileFile> backups;  // kept before replacing, oldest first
    int failFromCall = 0;
    int calls = 0;
    bool unreadable = false;  // the file is there but cannot be read

private:
    friend class FakeReplacement;
    void replaceWith(const FakeProfileFile& next);

    bool backupPending_ = false;
};
