// Random play for as long as asked: keys, pauses, new games, the guide and
// the sound, the score table with its reset, the version dialog, and every
// game-over, name and score dialog answered as a player might. Throughout,
// the window must keep answering, and the program's GDI and USER objects and
// its memory must not grow; a figure that cannot be measured where the soak
// runs says so. BRIXOL_SOAK_SECONDS sets the length (a short run by
// default); BRIXOL_SOAK_SEED the random sequence. The test
// e2e_soak_sees_a_font_leak runs it on a build that leaks a font per frame,
// which it must fail.
#include <windows.h>

#include <psapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <random>
#include <string>
#include <vector>

#include "ids/ResourceIds.h"
#include "tests/e2e/DesktopWindows.h"
#include "tests/e2e/E2eTest.h"
#include "tests/e2e/NextPieceBox.h"
#include "tests/e2e/ProgramProbe.h"

namespace {

constexpr int kDefaultSeconds = 20;
// A window that takes this long to answer a message counts as hung.
constexpr DWORD kAnswerLimitMs = 5000;
// The first part of the run fills the caches (pictures, fonts, sounds); what
// the program holds after it is the baseline.
constexpr double kWarmUpShare = 0.25;
// Growth that is no leak: a handful of objects of a dialog open at the
// moment of a sample, and the heap's own slack.
constexpr long long kObjectSlack = 40;
constexpr long long kMemorySlack = 8ll << 20;
// A hard drop held over a tick locks the piece at once; the next one shows
// within a few ticks.
constexpr DWORD kHeldDropLimitMs = 1000;
// A new game shows its next piece at once.
constexpr DWORD kNewGameLimitMs = 1000;
// A dialog that leads to another (game over, name, score table) has it
// follow within milliseconds.
constexpr DWORD kNextDialogLimitMs = 1000;
// A game over leads to at most a message, a name, a score table and its
// reset question, each perhaps answered twice while it closes.
constexpr int kDialogsPerGameOver = 20;
// Esc pressed at the close meets a game that ends at that instant at most
// once or twice.
constexpr int kClosingRounds = 3;

unsigned long environmentNumber(const char* name, unsigned long fallback)
{
    const char* text = std::getenv(name);
    if (text == nullptr || *text == '\0')
        return fallback;
    return std::strtoul(text, nullptr, 10);
}

// The figures of the program that must not grow. A platform that cannot
// measure one answers 0, which no running program has: such a figure is
// "not measured here" (-1) rather than a check that passes comparing 0 with
// 0. Wine answers 0 for GetGuiResources, so there the probe counts the GDI
// objects inside the program; wine's USER objects live in its server, where
// nothing here can count them fast enough.
enum Figure { GdiObjects, UserObjects, KernelHandles, WorkingSet, PrivateBytes, Committed, figureCount };

struct FigureInfo {
    const char* name;
    long long slack;
    long long unit;  // for printing: 1, or 1024 for sizes in KB
};

const FigureInfo figureInfo[figureCount] = {
    {"GDI objects", kObjectSlack, 1},    {"USER objects", kObjectSlack, 1},    {"kernel handles", kObjectSlack, 1},
    {"working set", kMemorySlack, 1024}, {"private bytes", kMemorySlack, 1024}, {"committed memory", kMemorySlack, 1024},
};

constexpr long long kNotMeasured = -1;

using Sample = std::array<long long, figureCount>;

long long answered(unsigned long long value)
{
    return value > 0 ? static_cast<long long>(value) : kNotMeasured;
}

// Samples the program's figures; how its GDI objects are counted is chosen
// by what answers.
class ProgramFigures {
public:
    ProgramFigures(HANDLE process, HWND mainWindow) : process_(process), probe_(mainWindow) {}

    Sample sample()
    {
        Sample sample;
        sample[GdiObjects] = gdiObjects();
        sample[UserObjects] = answered(GetGuiResources(process_, GR_USEROBJECTS));
        DWORD handles = 0;
        sample[KernelHandles] = GetProcessHandleCount(process_, &handles) ? answered(handles) : kNotMeasured;
        PROCESS_MEMORY_COUNTERS_EX memory{};
        memory.cb = sizeof memory;
        const bool read =
            GetProcessMemoryInfo(process_, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory) != 0;
        sample[WorkingSet] = read ? answered(memory.WorkingSetSize) : kNotMeasured;
        sample[PrivateBytes] = read ? answered(memory.PrivateUsage) : kNotMeasured;
        sample[Committed] = read ? answered(memory.PagefileUsage) : kNotMeasured;
        return sample;
    }

    // How the GDI objects were counted, for the log.
    std::string gdiMethod() const
    {
        if (gdiMethod_ != nullptr)
            return gdiMethod_;
        return "none (GetGuiResources answers 0; the probe: " + (probe_.ready() ? "no answer" : probe_.error()) + ")";
    }

private:
    long long gdiObjects()
    {
        if (const long long reported = answered(GetGuiResources(process_, GR_GDIOBJECTS)); reported != kNotMeasured) {
            gdiMethod_ = "GetGuiResources";
            return reported;
        }
        const MenuProbeAnswer* const answer = probe_.ask(kGdiCountProbeMessage, 0, 0);
        if (answer == nullptr || answer->gdiObjects <= 0)
            return kNotMeasured;
        gdiMethod_ = "counted inside the program by the probe";
        return answer->gdiObjects;
    }

    HANDLE process_;
    ProgramProbe probe_;
    const char* gdiMethod_ = nullptr;
};

Sample highest(const std::vector<Sample>& samples)
{
    Sample top;
    top.fill(kNotMeasured);
    for (const Sample& s : samples) {
        for (int f = 0; f < figureCount; ++f)
            top[f] = std::max(top[f], s[f]);
    }
    return top;
}

void print(const char* what, const Sample& s)
{
    std::cout << "  " << what << ":";
    for (int f = 0; f < figureCount; ++f) {
        std::cout << (f == 0 ? " " : ", ") << figureInfo[f].name;
        if (s[f] == kNotMeasured)
            std::cout << " not measured here";
        else
            std::cout << " " << s[f] / figureInfo[f].unit << (figureInfo[f].unit == 1 ? "" : " KB");
    }
    std::cout << std::endl;
}

// Each figure at the end within its slack of the baseline; a figure not
// measured says so instead of passing.
void expectFlat(const Sample& baseline, const Sample& end)
{
    for (int f = 0; f < figureCount; ++f) {
        const FigureInfo& info = figureInfo[f];
        if (baseline[f] == kNotMeasured || end[f] == kNotMeasured) {
            std::cout << "  " << info.name << ": not measured here, no check" << std::endl;
            continue;
        }
        EXPECT_LE(end[f], baseline[f] + info.slack)
            << info.name << " grew from " << baseline[f] / info.unit << " to " << end[f] / info.unit
            << (info.unit == 1 ? "" : " KB") << " during the soak";
    }
}

struct ProcessDialogs {
    DWORD processId;
    std::vector<HWND> found;
};

BOOL CALLBACK collectDialog(HWND window, LPARAM list)
{
    auto& dialogs = *reinterpret_cast<ProcessDialogs*>(list);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == dialogs.processId && IsWindowVisible(window) && windowClass(window) == L"#32770")
        dialogs.found.push_back(window);
    return TRUE;
}

// The program's visible dialogs and message boxes, the newest (topmost) first.
std::vector<HWND> dialogsOf(DWORD processId)
{
    ProcessDialogs dialogs{processId, {}};
    EnumWindows(&collectDialog, reinterpret_cast<LPARAM>(&dialogs));
    return dialogs.found;
}

class SoakTest : public E2eTest {
protected:
    // Answers the dialog as a player might; false for a window the program
    // should never show.
    bool answerDialog(HWND dialog)
    {
        const std::wstring caption = windowText(dialog);
        if (caption == L"Brixol") {
            ++games_;
            gameEnded_ = true;
            postControlClick(dialog, IDOK);
        } else if (caption == L"Error") {
            postControlClick(dialog, IDOK);
        } else if (caption == L"成績") {
            ++names_;
            const bool tooLong = chance(4);
            setDialogItemText(dialog, IDC_RECORD_NAME, tooLong ? L"とても長すぎる名前です" : pickName());
            postControlClick(dialog, IDOK);
        } else if (caption == L"成績表") {
            ++tables_;
            postControlClick(dialog, chance(3) ? IDC_RESULTS_RESET : IDC_RESULTS_CLOSE);
        } else if (caption == L"確認") {
            postControlClick(dialog, chance(2) ? IDYES : IDNO);
        } else if (caption == L"バージョン情報") {
            postControlClick(dialog, IDOK);
        } else {
            ADD_FAILURE() << "an unexpected window \"" << narrow(caption) << "\": " << narrow(childTexts(dialog));
            return false;
        }
        waitUntil([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog) || windowText(dialog) != caption; },
                  200);
        return true;
    }

    // One step of play on the main window.
    void playStep()
    {
        if (gameEnded_) {
            // The player starts again once the last game has been answered.
            // An S that comes while the next dialog is still on its way goes
            // to that dialog, so the player looks for the new game's piece.
            const NextPieceBox before(window_);
            pressKey('S');
            const auto dialogShows = [&] { return !dialogsOf(brixol_->id()).empty(); };
            waitUntil([&] { return before.changed() || dialogShows(); }, kNewGameLimitMs);
            // A dialog over the box changes it too.
            gameEnded_ = dialogShows() || !before.changed();
            return;
        }
        const int roll = static_cast<int>(random_() % 1000);
        // Few sideways moves: the pile grows in the middle, and games end.
        if (roll < 450)
            pressKey(VK_SHIFT);
        else if (roll < 600)
            holdHardDrop();
        else if (roll < 615)
            pressKey(VK_LEFT);
        else if (roll < 630)
            pressKey(VK_RIGHT);
        else if (roll < 730)
            pressKey(VK_UP);
        else if (roll < 800)
            pressKey(VK_DOWN);
        else if (roll < 860)
            pressKey(VK_SPACE);
        else if (roll < 930)
            Sleep(static_cast<DWORD>(random_() % 300));  // the player looks away
        else if (roll < 950)
            pauseAWhile();
        else if (roll < 965)
            pressKey('G');
        else if (roll < 980)
            pressKey('N');
        else if (roll < 990)
            pressKey('R');
        else if (roll < 999)
            PostMessageW(window_, WM_COMMAND, ID_HELP_VERSION, 0);
        else
            pressKey('S');  // now and then a new game in the middle of one
        Sleep(static_cast<DWORD>(5 + random_() % 40));
    }

    // Held until the piece has locked and the next one shows, or a dialog
    // (game over) has come.
    void holdHardDrop()
    {
        const NextPieceBox before(window_);
        brixol_->press(window_, VK_SHIFT, [&] {
            waitUntil([&] { return before.changed() || !dialogsOf(brixol_->id()).empty(); }, kHeldDropLimitMs);
        });
    }

    void pauseAWhile()
    {
        pressKey('P');
        Sleep(static_cast<DWORD>(random_() % 500));
        pressKey('P');
    }

    // Whatever is open is answered, and what it leads to (the name, then the
    // score table after a game over), then Esc ends the program normally. A
    // game still in play can end just as Esc is pressed: the key then meets
    // the main window disabled behind the game-over message and is lost, so
    // the message and what follows it are answered before the next Esc. A
    // program that neither ends nor shows a dialog after an Esc has hung on
    // its way out.
    void closeAnsweringDialogs()
    {
        const auto dialogShows = [&] { return !dialogsOf(brixol_->id()).empty(); };
        for (int round = 0; round < kClosingRounds; ++round) {
            for (int i = 0; i < kDialogsPerGameOver && waitUntil(dialogShows, kNextDialogLimitMs); ++i)
                answerDialog(dialogsOf(brixol_->id()).front());
            pressKey(VK_ESCAPE);
            waitUntil([&] { return !brixol_->running() || dialogShows(); }, BrixolProcess::exitTimeoutMs);
            if (!brixol_->running()) {
                EXPECT_EQ(brixol_->exitCode(), 0u);
                return;
            }
            if (!dialogShows())
                break;
        }
        ADD_FAILURE() << "Esc did not end the program within " << BrixolProcess::exitTimeoutMs
                      << " ms; its windows: " << brixol_->describeWindows();
    }

    bool chance(int oneIn) { return random_() % static_cast<unsigned>(oneIn) == 0; }

    std::wstring pickName()
    {
        const wchar_t* const names[] = {L"名無しさん", L"ぶりくそる", L"", L"Player 1", L"あいうえおかきくけこ"};
        return names[random_() % (sizeof names / sizeof names[0])];
    }

    std::mt19937 random_;
    bool gameEnded_ = false;
    int games_ = 0;
    int names_ = 0;
    int tables_ = 0;
};

TEST_F(SoakTest, RandomPlayKeepsTheWindowAnsweringAndTheProgramsResourcesFlat)
{
    const unsigned long seconds = environmentNumber("BRIXOL_SOAK_SECONDS", kDefaultSeconds);
    const unsigned long seed = environmentNumber("BRIXOL_SOAK_SEED", 12);
    random_.seed(seed);
    ASSERT_NO_FATAL_FAILURE(startBrixol());
    ProgramFigures figures(brixol_->handle(), window_);
    pressKey('S');

    const DWORD lengthMs = static_cast<DWORD>(seconds * 1000);
    const DWORD warmUpMs = static_cast<DWORD>(lengthMs * kWarmUpShare);
    const DWORD start = GetTickCount();
    DWORD nextSample = start;
    std::vector<Sample> warmUp;
    std::vector<Sample> later;
    long steps = 0;
    DWORD slowestAnswerMs = 0;
    while (GetTickCount() - start < lengthMs) {
        ASSERT_TRUE(brixol_->running()) << "the program ended during the soak, after " << steps << " steps";
        const DWORD asked = GetTickCount();
        ASSERT_TRUE(answersMessages(window_, kAnswerLimitMs))
            << "the window did not answer within " << kAnswerLimitMs << " ms, after " << steps << " steps";
        slowestAnswerMs = std::max(slowestAnswerMs, GetTickCount() - asked);

        const std::vector<HWND> dialogs = dialogsOf(brixol_->id());
        if (!dialogs.empty()) {
            ASSERT_TRUE(answerDialog(dialogs.front()));
        } else {
            // Sampled with no dialog open, so that the counts compare like with like.
            if (GetTickCount() >= nextSample) {
                (GetTickCount() - start < warmUpMs ? warmUp : later).push_back(figures.sample());
                nextSample = GetTickCount() + 500;
            }
            playStep();
        }
        ++steps;
    }
    ASSERT_FALSE(later.empty()) << "no sample after the warm-up";

    const Sample baseline = highest(warmUp.empty() ? later : warmUp);
    const Sample end = later.back();
    const Sample top = highest(later);
    std::cout << "keys sent by " << BrixolProcess::lastKeyRoute() << std::endl;
    std::cout << "soak: " << seconds << " s, seed " << seed << ", " << steps << " steps, " << games_ << " games over, " << names_
              << " names given, " << tables_ << " score tables answered; slowest answer " << slowestAnswerMs
              << " ms; " << warmUp.size() + later.size() << " samples" << std::endl;
    print("first sample", warmUp.empty() ? later.front() : warmUp.front());
    print("highest during warm-up", baseline);
    print("highest after warm-up", top);
    print("last sample", end);
    std::cout << "  GDI objects measured by: " << figures.gdiMethod() << std::endl;

    expectFlat(baseline, end);
    EXPECT_TRUE(end[GdiObjects] != kNotMeasured || end[UserObjects] != kNotMeasured)
        << "neither the GDI nor the USER objects could be measured: a leak of either would go unseen";

    closeAnsweringDialogs();
}

}  // namespace
