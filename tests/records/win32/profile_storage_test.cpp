// The settings file on disk: replaced as a whole, reported when it cannot be
// written, kept as a backup when the program could not take it, and stored
// in an encoding that holds every name.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "ExampleSettingsFile.h"
#include "RecordingReporter.h"
#include "ScoreRecordComparison.h"
#include "SettingsFileMutations.h"
#include "records/SettingsStore.h"
#include "records/StoredSettingsText.h"
#include "records/Win32ProfileStorage.h"
#include "win/Handles.h"
#include "win32/SettingsFileBytes.h"
#include "tests/support/win32/TemporaryDirectory.h"
#include "tests/support/win32/Win32ProfileFile.h"

namespace {

std::set<std::wstring> filesHere()
{
    std::set<std::wstring> names;
    WIN32_FIND_DATAW found;
    const UniqueFind search(FindFirstFileW(L".\\*", &found));
    if (!search)
        return names;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            names.insert(found.cFileName);
    } while (FindNextFileW(search.get(), &found));
    return names;
}

std::string asciiExampleBytes()
{
    std::string bytes;
    for (const std::wstring& line : exampleFileLines()) {
        std::wstring ascii = line;
        if (ascii.compare(0, 5, L"Name=") == 0)
            ascii = L"Name=Ascii";
        bytes += std::string(ascii.begin(), ascii.end()) + "\r\n";
    }
    return bytes;
}

std::list<ScoreRecord> asciiExampleRecords()
{
    std::list<ScoreRecord> records = exampleRecords();
    for (ScoreRecord& record : records)
        record.name = L"Ascii";
    return records;
}

// Each UTF-16 unit of a UTF-16LE file widened to 32 bits, mark included.
std::string utf32LeWithMark(const std::string& utf16)
{
    std::string bytes;
    for (std::size_t at = 0; at + 1 < utf16.size(); at += 2)
        bytes += utf16.substr(at, 2) + std::string(2, '\0');
    return bytes;
}

std::string replacedIn(std::string bytes, const std::string& from, const std::string& to)
{
    const std::size_t at = bytes.find(from);
    if (at != std::string::npos)
        bytes.replace(at, from.size(), to);
    return bytes;
}

class ProfileStorageTest : public ::testing::Test {
protected:
    SettingsStore loadedAgain()
    {
        SettingsStore next(file, reporter, saveFailures);
        next.load();
        return next;
    }

    TemporaryDirectory directory;
    Win32ProfileStorage file{kSettingsFilePath};
    RecordingReporter reporter;
    RecordingSaveFailureReporter saveFailures;
    SettingsStore store{file, reporter, saveFailures};
};

TEST_F(ProfileStorageTest, ASaveLeavesTheFileAndNothingBesideIt)
{
    fillWithExample(store);
    ASSERT_TRUE(store.save());
    EXPECT_EQ(readUtf16SettingsLines(), exampleFileLines());
    EXPECT_EQ(filesHere(), std::set<std::wstring>{L"Brixol.ini"});
    EXPECT_TRUE(saveFailures.paths.empty());
}

TEST_F(ProfileStorageTest, AReadOnlyFileIsReportedOnceAndStaysAsItWas)
{
    fillWithExample(store);
    ASSERT_TRUE(store.save());
    const std::string before = readSettingsBytes();
    ASSERT_TRUE(SetFileAttributesW(L"Brixol.ini", FILE_ATTRIBUTE_READONLY));

    store.records.push_back({L"新人", L"2013/1/1", 100, 1});
    store.windowLeft = 7;
    EXPECT_FALSE(store.save());
    EXPECT_FALSE(store.save());
    SetFileAttributesW(L"Brixol.ini", FILE_ATTRIBUTE_NORMAL);

    ASSERT_EQ(saveFailures.paths.size(), 1u);
    EXPECT_EQ(lstrcmpiW(saveFailures.paths.front().c_str(), (directory.path() + L"\\Brixol.ini").c_str()), 0)
        << ::testing::PrintToString(saveFailures.paths.front());
    EXPECT_EQ(readSettingsBytes(), before);
    EXPECT_EQ(filesHere(), std::set<std::wstring>{L"Brixol.ini"});
    EXPECT_EQ(store.records.size(), 3u) << "nothing in memory is lost";
    EXPECT_TRUE(store.save()) << "writable again";
    EXPECT_EQ(loadedAgain().records.size(), 3u);
}

TEST_F(ProfileStorageTest, AFolderThatCannotBeWrittenIsReported)
{
    Win32ProfileStorage elsewhere(L"./no such folder/Brixol.ini");
    SettingsStore other(elsewhere, reporter, saveFailures);
    fillWithExample(other);
    EXPECT_FALSE(other.save());
    ASSERT_EQ(saveFailures.paths.size(), 1u);
    EXPECT_NE(saveFailures.paths.front().find(L"\\no such folder\\Brixol.ini"), std::wstring::npos);
    EXPECT_TRUE(filesHere().empty());
}

// Another program reading the file, as a virus scanner or an editor does: it
// lets others read and write but not replace the file while it holds it. A
// scanner or a sync client may also hold it without sharing it at all.
class ForeignReader {
public:
    explicit ForeignReader(DWORD sharing = FILE_SHARE_READ | FILE_SHARE_WRITE)
        : file_(CreateFileW(L"Brixol.ini", GENERIC_READ, sharing, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                            nullptr))
    {
    }
    bool holds() const { return static_cast<bool>(file_); }
    void letGoAfter(DWORD milliseconds)
    {
        letGo_ = std::thread([this, milliseconds] {
            Sleep(milliseconds);
            file_.reset();
        });
    }
    ~ForeignReader()
    {
        if (letGo_.joinable())
            letGo_.join();
    }

private:
    UniqueFile file_;
    std::thread letGo_;
};

TEST_F(ProfileStorageTest, AReaderHoldingTheFileForAMomentDoesNotFailTheSave)
{
    fillWithExample(store);
    ASSERT_TRUE(store.save());
    ForeignReader reader;
    ASSERT_TRUE(reader.holds());
    reader.letGoAfter(100);

    store.windowLeft = 7;
    EXPECT_TRUE(store.save());
    EXPECT_TRUE(saveFailures.paths.empty());
    EXPECT_EQ(loadedAgain().windowLeft, 7);
    EXPECT_EQ(filesHere(), std::set<std::wstring>{L"Brixol.ini"});
}

TEST_F(ProfileStorageTest, AReaderThatNeverLetsGoIsReportedAndTheFileStays)
{
    fillWithExample(store);
    ASSERT_TRUE(store.save());
    const std::string before = readSettingsBytes();
    {
        ForeignReader reader;
        ASSERT_TRUE(reader.holds());
        store.windowLeft = 7;
        EXPECT_FALSE(store.save());
    }
    EXPECT_EQ(saveFailures.paths.size(), 1u);
    EXPECT_EQ(readSettingsBytes(), before);
    EXPECT_EQ(filesHere(), std::set<std::wstring>{L"Brixol.ini"});
    EXPECT_TRUE(store.save()) << "free again";
    EXPECT_EQ(loadedAgain().windowLeft, 7);
}

TEST_F(ProfileStorageTest, AFileHeldWithoutSharingForAMomentIsReadOnceItIsFree)
{
    fillWithExample(store);
    ASSERT_TRUE(store.save());
    ForeignReader holder(0);
    ASSERT_TRUE(holder.holds());
    holder.letGoAfter(300);

    const SettingsStore next = loadedAgain();
    EXPECT_EQ(next.records, exampleRecords());
    EXPECT_EQ(next.windowLeft, 120);
    EXPECT_TRUE(reporter.unreadFilesKept.empty());
}

// Held by another program through the whole start: the defaults, and the
// file byte for byte beside the first save's, which says where it is.
TEST_F(ProfileStorageTest, AFileHeldThroughTheLoadIsKeptBeforeTheFirstSaveAndTheUserTold)
{
    fillWithExample(store);
    ASSERT_TRUE(store.save());
    const std::string stored = readSettingsBytes();
    Win32ProfileStorage onDisk{kSettingsFilePath};
    SettingsStore started(onDisk, reporter, saveFailures);
    {
        ForeignReader holder(0);
        ASSERT_TRUE(holder.holds());
        started.load();
    }
    EXPECT_TRUE(started.records.empty());
    EXPECT_EQ(started.windowLeft, 0);
    EXPECT_TRUE(reporter.unreadFilesKept.empty());

    started.records = {ScoreRecord{L"新人", L"2013/1/1", 100, 1}};
    ASSERT_TRUE(started.save());
    ASSERT_TRUE(started.save());
    EXPECT_EQ(readBytesOf("Brixol.ini.bak"), stored);
    EXPECT_EQ(filesHere(), (std::set<std::wstring>{L"Brixol.ini", L"Brixol.ini.bak"}));
    ASSERT_EQ(reporter.unreadFilesKept.size(), 1u);
    EXPECT_EQ(lstrcmpiW(reporter.unreadFilesKept.front().fullPath.c_str(), (directory.path() + L"\\Brixol.ini").c_str()),
              0)
        << ::testing::PrintToString(reporter.unreadFilesKept.front().fullPath);
    EXPECT_EQ(lstrcmpiW(reporter.unreadFilesKept.front().backupPath.c_str(),
                        (directory.path() + L"\\Brixol.ini.bak").c_str()),
              0)
        << ::testing::PrintToString(reporter.unreadFilesKept.front().backupPath);
    EXPECT_EQ(loadedAgain().records, started.records);
    EXPECT_TRUE(saveFailures.paths.empty());
}

struct StoredFileCase {
    const char* what;
    std::string bytes;
    bool backup;
    int reports;
    std::list<ScoreRecord> records;  // what the start loads
    bool savedAsUtf16;
};

std::vector<StoredFileCase> storedFileCases()
{
    const std::string ascii = asciiExampleBytes();
    const std::string utf16 = utf16LeWithMark(exampleFileText());
    return {
        {"valid ANSI", ascii, false, 0, asciiExampleRecords(), false},
        {"valid UTF-16", utf16, false, 0, exampleRecords(), true},
        {"UTF-16LE without a mark", utf16.substr(2), true, 0, {}, true},
        {"UTF-32 with a mark", utf32LeWithMark(utf16), true, 0, {}, true},
        {"UTF-8 without a mark", utf8Bytes(exampleFileText()), false, 0, exampleRecords(), true},
        {"UTF-8 with a mark", "\xEF\xBB\xBF" + utf8Bytes(exampleFileText()), false, 0, exampleRecords(), true},
        {"damaged checksum", replacedIn(ascii, "Score=1000", "Score=1001"), true, 1, {}, false},
        {"count over the bound", replacedIn(ascii, "HighScoreNum=2", "HighScoreNum=2000000000"), true, 1, {}, false},
        {"NUL bytes in ANSI", replacedIn(ascii, "Ascii", std::string("As\0ii", 5)), true, 0, {}, true},
        {"no settings section", "[Other]\r\nKey=Value\r\n", true, 0, {}, false},
    };
}

// A start and a close: load, then save what was loaded.
TEST_F(ProfileStorageTest, AFileTheProgramCannotTakeIsKeptExactlyBeforeTheFirstSave)
{
    for (const StoredFileCase& c : storedFileCases()) {
        SCOPED_TRACE(c.what);
        const TemporaryDirectory fresh;
        writeSettingsBytes(c.bytes);
        Win32ProfileStorage onDisk{kSettingsFilePath};
        RecordingReporter seen;
        SettingsStore started(onDisk, seen, saveFailures);
        started.load();
        EXPECT_EQ(seen.reports, c.reports);
        EXPECT_EQ(started.records, c.records);
        ASSERT_TRUE(started.save());
        ASSERT_TRUE(started.save()) << "a second save keeps no second backup";

        std::set<std::wstring> expectedFiles{L"Brixol.ini"};
        if (c.backup) {
            expectedFiles.insert(L"Brixol.ini.bak");
            EXPECT_EQ(readBytesOf("Brixol.ini.bak"), c.bytes);
        }
        EXPECT_EQ(filesHere(), expectedFiles);
        EXPECT_EQ(startsWithUtf16Mark(readSettingsBytes()), c.savedAsUtf16);

        Win32ProfileStorage reopened{kSettingsFilePath};
        RecordingReporter next;
        SettingsStore restarted(reopened, next, saveFailures);
        restarted.load();
        EXPECT_EQ(next.reports, 0);
        EXPECT_EQ(restarted.records, c.records);
    }
    EXPECT_TRUE(saveFailures.paths.empty());
}

// Larger than any settings file could be: not read, kept whole, replaced.
TEST_F(ProfileStorageTest, AFileTooLargeToReadIsKeptAndReplaced)
{
    const std::string huge = "[Brixol]\r\nSound=0\r\n" + std::string(17 * 1024 * 1024, ';');
    writeSettingsBytes(huge);
    store.load();
    EXPECT_TRUE(store.sound) << "nothing is read from it";
    fillWithExample(store);
    ASSERT_TRUE(store.save());
    EXPECT_TRUE(readBytesOf("Brixol.ini.bak") == huge);
    EXPECT_EQ(readUtf16SettingsLines(), exampleFileLines());
}

TEST_F(ProfileStorageTest, AnEarlierBackupIsNeverReplaced)
{
    writeBytesOf("Brixol.ini.bak", "earlier");
    writeBytesOf("Brixol.ini.2.bak", "earlier too");
    const std::string damaged = replacedIn(asciiExampleBytes(), "Score=500", "Score=501");
    writeSettingsBytes(damaged);
    store.load();
    ASSERT_TRUE(store.save());
    EXPECT_EQ(readBytesOf("Brixol.ini.bak"), "earlier");
    EXPECT_EQ(readBytesOf("Brixol.ini.2.bak"), "earlier too");
    EXPECT_EQ(readBytesOf("Brixol.ini.3.bak"), damaged);
}

}  // namespace

namespace {

// Run twice by CTest, under LANG=ja_JP.UTF-8 and LANG=C.UTF-8: wine takes
// the ANSI code page from LANG. BRIXOL_EXPECTED_ACP says which one the run
// is for, so that a LANG that did not take shows.
TEST(CodePage, IsTheOneTheRunIsFor)
{
    RecordProperty("AnsiCodePage", static_cast<int>(GetACP()));
    std::printf("ANSI code page %u\n", GetACP());
    const char* expected = std::getenv("BRIXOL_EXPECTED_ACP");
    if (expected != nullptr) {
        EXPECT_EQ(GetACP(), static_cast<UINT>(std::atoi(expected)));
    }
}

class CodePageTest : public ProfileStorageTest {};

// Points the temporary folder elsewhere for the object's life.
class TemporaryFolderOverride {
public:
    explicit TemporaryFolderOverride(const std::wstring& folder)
    {
        for (const wchar_t* name : kNames) {
            wchar_t value[MAX_PATH];
            const DWORD length = GetEnvironmentVariableW(name, value, MAX_PATH);
            saved_.push_back({name, length > 0 && length < MAX_PATH, std::wstring(value, length < MAX_PATH ? length : 0)});
            SetEnvironmentVariableW(name, folder.c_str());
        }
    }
    ~TemporaryFolderOverride()
    {
        for (const Saved& variable : saved_)
            SetEnvironmentVariableW(variable.name, variable.existed ? variable.value.c_str() : nullptr);
    }
    TemporaryFolderOverride(const TemporaryFolderOverride&) = delete;
    TemporaryFolderOverride& operator=(const TemporaryFolderOverride&) = delete;

private:
    static constexpr const wchar_t* kNames[] = {L"TMP", L"TEMP"};
    struct Saved {
        const wchar_t* name;
        bool existed;
        std::wstring value;
    };
    std::vector<Saved> saved_;
};

// An editor's file: UTF-8 without a mark, a Japanese name and a full-width
// number, whose bytes swallow a line break when read in code page 932. Its
// names come back also where no file can be made in the temporary folder.
TEST_F(CodePageTest, AUtf8FileKeepsItsJapaneseNames)
{
    std::wstring text = exampleFileText();
    text.replace(text.find(L"WindowTop=80"), 12, L"WindowTop=１２３");
    const std::string bytes = utf8Bytes(text);
    for (const bool temporaryFolder : {true, false}) {
        SCOPED_TRACE(temporaryFolder ? "with a temporary folder" : "with a temporary folder that does not exist");
        const TemporaryDirectory fresh;
        writeSettingsBytes(bytes);
        std::unique_ptr<TemporaryFolderOverride> nowhere;
        if (!temporaryFolder)
            nowhere = std::make_unique<TemporaryFolderOverride>(fresh.path() + L"\\no such folder");
        Win32ProfileStorage onDisk{kSettingsFilePath};
        SettingsStore started(onDisk, reporter, saveFailures);
        started.load();
        EXPECT_EQ(reporter.reports, 0);
        EXPECT_EQ(started.records, exampleRecords());
        ASSERT_TRUE(started.save());
        EXPECT_TRUE(startsWithUtf16Mark(readSettingsBytes()));
        Win32ProfileStorage reopened{kSettingsFilePath};
        SettingsStore restarted(reopened, reporter, saveFailures);
        restarted.load();
        EXPECT_EQ(restarted.records, exampleRecords());
        EXPECT_EQ(filesHere(), std::set<std::wstring>{L"Brixol.ini"});
    }
}

bool japaneseCodePage()
{
    return GetACP() == 932;
}

// An existing ANSI file stays ANSI while the names fit its code page, and
// becomes UTF-16LE when one does not; either way the name comes back and
// the rest of the file stays.
TEST_F(CodePageTest, ANameThatDoesNotFitTheCodePageTurnsTheFileUtf16)
{
    struct Case {
        const wchar_t* name;
        bool utf16;
    };
    const Case cases[] = {
        {L"Jose", false},
        {L"名無しさん", !japaneseCodePage()},
        {L"ไทย", true},
        // Fits code page 1252 as the bytes C3 A9, which would read back as
        // UTF-8 "é" from an ANSI file.
        {L"Ã©", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(std::wstring(c.name)));
        const TemporaryDirectory fresh;
        writeSettingsBytes("[Other]\r\nKey=Value\r\n[Brixol]\r\nSound=0\r\n");
        Win32ProfileStorage onDisk{kSettingsFilePath};
        SettingsStore saving(onDisk, reporter, saveFailures);
        saving.load();
        saving.records = {ScoreRecord{c.name, L"2012/3/5", 1000, 12}};
        ASSERT_TRUE(saving.save());

        const std::string bytes = readSettingsBytes();
        EXPECT_EQ(startsWithUtf16Mark(bytes), c.utf16);
        SettingsStore next(onDisk, reporter, saveFailures);
        next.load();
        ASSERT_EQ(next.records.size(), 1u);
        EXPECT_EQ(next.records.front().name, c.name);
        Win32ProfileFile raw(kSettingsFilePath);
        EXPECT_EQ(raw.readString(L"Other", L"Key", L""), L"Value");
        EXPECT_EQ(filesHere(), std::set<std::wstring>{L"Brixol.ini"});
    }
    EXPECT_EQ(reporter.reports, 0);
}

}  // namespace
