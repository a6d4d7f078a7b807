// Figures of the settings file, printed, never asserted: what a start (load)
// and a close (save) of the real file cost with the bound's 1000 entries,
// beside the two entries of a normal file, in one run, for a UTF-16 file (as
// the program writes it) and an ANSI one (as a hand-made file often is). Run
// under wine: wine records_benchmark.exe
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <list>
#include <string>
#include <vector>

#include "records/ScoreChecksum.h"
#include "records/ScoreRecord.h"
#include "records/SettingsStore.h"
#include "records/Win32ProfileStorage.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kRuns = 5;

class NoReports : public DamagedDataReporter, public SaveFailureReporter {
public:
    void reportDamagedScores() override { ++reports; }
    void reportUnreadFileKept(const std::wstring&, const std::wstring&) override { ++reports; }
    void reportSaveFailure(const std::wstring&) override { ++reports; }
    int reports = 0;
};

// A fresh folder under the temporary one, the current directory while the
// benchmark runs.
class ScratchFolder {
public:
    ScratchFolder()
    {
        wchar_t base[MAX_PATH];
        GetTempPathW(MAX_PATH, base);
        path_ = std::wstring(base) + L"brixol-records-benchmark-" + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(path_.c_str(), nullptr);
        SetCurrentDirectoryW(path_.c_str());
    }
    ~ScratchFolder()
    {
        DeleteFileW(L"Brixol.ini");
        wchar_t base[MAX_PATH];
        GetTempPathW(MAX_PATH, base);
        SetCurrentDirectoryW(base);
        RemoveDirectoryW(path_.c_str());
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

private:
    std::wstring path_;
};

std::list<ScoreRecord> entries(int count, bool japaneseNames)
{
    std::list<ScoreRecord> records;
    for (int k = 0; k < count; ++k) {
        const std::wstring name = (japaneseNames ? L"名無しさん" : L"Player") + std::to_wstring(k);
        records.push_back({name, L"2012/3/5", 100000 - k, 10 + k % 90});
    }
    return records;
}

// A file the program would write: UTF-16LE with a mark, CRLF lines.
std::wstring fileText(const std::list<ScoreRecord>& records)
{
    std::wstring text = L"[Brixol]\r\nSound=1\r\nGuide=0\r\nWindowLeft=120\r\nWindowTop=80\r\nHighScoreNum=" +
                        std::to_wstring(records.size()) + L"\r\nCheckSum=" +
                        std::to_wstring(records.empty() ? 0u : computeScoreChecksum(records)) + L"\r\n";
    int index = 0;
    for (const ScoreRecord& record : records) {
        text += L"[HighScore" + std::to_wstring(index++) + L"]\r\nName=" + record.name + L"\r\nDate=" + record.date +
                L"\r\nScore=" + std::to_wstring(record.score) + L"\r\nLines=" + std::to_wstring(record.lines) +
                L"\r\n";
    }
    return text;
}

void writeFile(const std::string& bytes)
{
    const HANDLE file = CreateFileW(L"Brixol.ini", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                    nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

std::string utf16Bytes(const std::wstring& text)
{
    std::string bytes = "\xFF\xFE";
    for (const wchar_t c : text) {
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>((c >> 8) & 0xFF));
    }
    return bytes;
}

// ASCII text only: the ANSI file of any code page.
std::string asciiBytes(const std::wstring& text)
{
    return std::string(text.begin(), text.end());
}

double median(std::vector<double> samples)
{
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

template <class Work>
double milliseconds(Work work)
{
    const auto start = Clock::now();
    work();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

struct Figures {
    double loadMs;
    double saveMs;
    bool allLoaded;
};

// Each run starts from the file as written: a load, as at a start, then a
// save of what was loaded, as at a close.
Figures measure(const std::string& bytes, std::size_t expectedEntries)
{
    std::vector<double> loads;
    std::vector<double> saves;
    bool allLoaded = true;
    for (int run = 0; run < kRuns; ++run) {
        writeFile(bytes);
        Win32ProfileStorage file{kSettingsFilePath};
        NoReports reports;
        SettingsStore store(file, reports, reports);
        loads.push_back(milliseconds([&] { store.load(); }));
        allLoaded = allLoaded && store.records.size() == expectedEntries && reports.reports == 0;
        saves.push_back(milliseconds([&] { store.save(); }));
        allLoaded = allLoaded && reports.reports == 0;
    }
    return {median(loads), median(saves), allLoaded};
}

void report(const char* kind, const Figures& normal, const Figures& large)
{
    std::printf("%s file, median of %d: load (start) %8.1f ms with 2 entries, %8.1f ms with 1000 (+%.1f ms)\n", kind,
                kRuns, normal.loadMs, large.loadMs, large.loadMs - normal.loadMs);
    std::printf("%s file, median of %d: save (close) %8.1f ms with 2 entries, %8.1f ms with 1000 (+%.1f ms)\n", kind,
                kRuns, normal.saveMs, large.saveMs, large.saveMs - normal.saveMs);
    if (!normal.allLoaded || !large.allLoaded)
        std::printf("  (a load did not give back every entry, or a save failed: the figures are not comparable)\n");
    std::fflush(stdout);
}

}  // namespace

int main()
{
    const ScratchFolder folder;
    const std::list<ScoreRecord> two = entries(2, true);
    const std::list<ScoreRecord> thousand = entries(SettingsStore::maxStoredEntries, true);
    report("UTF-16", measure(utf16Bytes(fileText(two)), 2), measure(utf16Bytes(fileText(thousand)), 1000));

    const std::list<ScoreRecord> twoAscii = entries(2, false);
    const std::list<ScoreRecord> thousandAscii = entries(SettingsStore::maxStoredEntries, false);
    report("ANSI  ", measure(asciiBytes(fileText(twoAscii)), 2), measure(asciiBytes(fileText(thousandAscii)), 1000));
    return 0;
}
