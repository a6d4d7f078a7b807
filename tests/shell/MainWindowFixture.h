// The real main window, created in a fresh temporary current directory (where
// it reads and writes "./Brixol.ini"), with a bounded message pump. Derived
// fixtures may put files there before the window is made.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "shell/MainWindow.h"
#include "ids/ResourceIds.h"
#include "tests/support/win32/PixelCanvas.h"
#include "tests/support/GameTestAccess.h"
#include "tests/support/win32/TemporaryDirectory.h"
#include "tests/support/win32/Waiting.h"
#include "win/GdiplusSession.h"

// The bytes of a file, empty when it cannot be read.
inline std::string readFileBytes(const wchar_t* path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline bool startsWithUtf16LeMark(const std::string& bytes)
{
    return bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
           static_cast<unsigned char>(bytes[1]) == 0xFE;
}

// The settings file of the current directory as text: UTF-16LE as the
// program creates it, or ANSI digits and letters as a test writes it.
inline std::wstring readSettings()
{
    const std::string bytes = readFileBytes(L"Brixol.ini");
    std::wstring text;
    if (startsWithUtf16LeMark(bytes)) {
        for (size_t i = 2; i + 1 < bytes.size(); i += 2)
            text += static_cast<wchar_t>(static_cast<std::uint8_t>(bytes[i]) |
                                         (static_cast<std::uint8_t>(bytes[i + 1]) << 8));
    } else {
        text.assign(bytes.begin(), bytes.end());
    }
    return text;
}

class MainWindowFixture : public ::testing::Test {
protected:
    // Called before the window is created.
    virtual void prepareDirectory() {}

    void SetUp() override
    {
        ASSERT_TRUE(GdiplusSession::running()) << "the window draws its captions with GDI+; link brixol_test_gdiplus";
        prepareDirectory();
        window_ = std::make_unique<CMainWindow>(loop_);
        ASSERT_TRUE(window_->create());
        pump();
    }

    void TearDown() override
    {
        if (window_->hwnd() != nullptr)
            DestroyWindow(window_->hwnd());
        pump();
        window_.reset();
    }

    HWND hwnd() const { return window_->hwnd(); }
    Game& game() { return window_->game(); }
    bool timerRunning() const { return window_->timerRunning(); }

    // Handles every queued message the way the program's loop does.
    void pump()
    {
        MSG message{};
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT)
                continue;
            if (window_ && window_->hwnd() && window_->preTranslate(message))
                continue;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }

    // Pumps as the program's loop does until done() holds or the time is
    // up; returns done().
    template <class Done>
    bool pumpUntil(Done done, int timeoutMs = 5000)
    {
        return waitUntil([&] { return done(); }, static_cast<DWORD>(timeoutMs), [this] { pump(); });
    }

    void command(UINT id) { SendMessageW(hwnd(), WM_COMMAND, id, 0); }

    enum class LastLock { KeepsTheRows, ClearsARow };

    // Starts a game that ends at its next tick with this score: the next
    // piece, a square, finds its spawn area filled, and the current one
    // locks at once, maybe completing the bottom row first.
    void endTheGameWithScore(std::int32_t score, LastLock lastLock = LastLock::KeepsTheRows)
    {
        command(ID_GAME_START);
        while (!GameTestAccess::gameLock(game()).try_lock())
            pump();
        {
            const std::lock_guard<std::mutex> frame(GameTestAccess::frameLock(game()));
            for (int c = 3; c <= 6; ++c) {
                game().field.setCell(c, 1, 1);
                game().field.setCell(c, 2, 1);
            }
            if (lastLock == LastLock::ClearsARow) {
                for (int c = 0; c < Field::columns; ++c)
                    if (c != 1 && c != 2)  // beside the square's two columns
                        game().field.setCell(c, Field::rows - 1, 1);
            }
            game().next.setShape(6, 0);
            game().current.setShape(6, 0);
            game().current.x = 0;
            game().current.y = 16 * 17;
            game().lockDelayTicks = 0;
            game().stats.score = score;
        }
        GameTestAccess::gameLock(game()).unlock();
    }

    // The menu item's state as a drop-down menu shows it when it opens.
    UINT menuState(int dropDown, UINT commandId)
    {
        const HMENU menu = GetSubMenu(GetMenu(hwnd()), dropDown);
        SendMessageW(hwnd(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), dropDown);
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_STATE;
        GetMenuItemInfoW(menu, commandId, FALSE, &info);
        return info.fState;
    }

    // The window as it paints itself into a memory bitmap of its client size.
    std::unique_ptr<PixelCanvas> capture()
    {
        const Size client = window_->clientSize();
        auto canvas = std::make_unique<PixelCanvas>(client.width, client.height, Rgb{255, 0, 255});
        SendMessageW(hwnd(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas->dc()), PRF_CLIENT);
        return canvas;
    }

    TemporaryDirectory directory_;
    MessageLoop loop_;
    std::unique_ptr<CMainWindow> window_;
};
