// The program's one window: it owns the settings, the game, the game timer and
// the high-score table, turns messages into game operations and runs the
// commands of the menu and the shortcut keys.
#pragma once

#include <windows.h>

#include <functional>

#include "game/Game.h"
#include "records/HighScoreTable.h"
#include "records/MessageBoxDamagedDataReporter.h"
#include "records/MessageBoxSaveFailureReporter.h"
#include "records/SettingsStore.h"
#include "records/Win32ProfileStorage.h"
#include "render/FrameCache.h"
#include "shell/Updater.h"
#include "shell/WindowGameHost.h"
#include "win/Handles.h"
#include "win/MessageLoop.h"
#include "win/UpdateUi.h"
#include "win/Window.h"

class CMainWindow : public WindowBase<CMainWindow, Painting::DoubleBuffered>,
                    public MessageFilter,
                    public IdleHandler {
public:
    static constexpr wchar_t className[] = L"Brixol";
    static constexpr wchar_t title[] = L"Brixol";
    // The board in its own coordinates: the client area at 96 DPI. At
    // another DPI the client area is the board scaled by dpi / 96.
    static constexpr int boardWidth = 248;
    static constexpr int boardHeight = 352;

    // closing is told as the window begins to close, before its last save.
    explicit CMainWindow(MessageLoop& loop, std::function<void()> closing = nullptr);
    virtual ~CMainWindow();

    // Registers the class and creates the window, which shows itself where it
    // was last closed. False if the window could not be made.
    bool create();

    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    bool preTranslate(MSG& message) override;
    bool onIdle() override { return false; }

    Game& game() { return game_; }
    const HighScoreTable& highScores() const { return table_; }
    bool timerRunning() const { return updater_.running(); }

    // The DPI the board is drawn at: the window's when it was made, then
    // each new one that WM_DPICHANGED brings.
    int dpi() const { return dpi_; }
    // The client area the board takes at that DPI, in pixels.
    Size clientSize() const;

private:
    friend class WindowBase<CMainWindow, Painting::DoubleBuffered>;

    LRESULT OnCreate();
    void OnDestroy();
    void OnEndSession(bool ending);
    void OnWindowPosChanged();
    void OnKeyDown(int virtualKey);
    LRESULT OnGameOver(std::uint32_t gameNumber);
    bool OnCommand(UINT commandId);
    void OnPaint(HDC target, PaintCoverage coverage);
    void OnDpiChanged(int newDpi, const RECT& suggested);
    LRESULT OnGetDpiScaledSize(int newDpi, SIZE& size) const;

    void OnStart();
    void OnPause();
    void OnResults();
    void OnVersion();
    void OnSound();
    void OnGuide();

    void scoreEndedGame(const GameResult& result);
    void placeWindow(int left, int top);
    static Size clientSizeFor(int windowDpi);
    SIZE outerSizeFor(int windowDpi) const;
    void fitClientToBoard();
    void deferCommand(UINT commandId);
    void saveSettings();
    void saveScores();

    MessageLoop& loop_;
    std::function<void()> closing_;
    UniqueAcceleratorTable shortcuts_;
    UniqueIcon icon_;
    UpdateUi updateUi_;
    Win32ProfileStorage settingsFile_;
    MessageBoxDamagedDataReporter damagedDataReporter_;
    MessageBoxSaveFailureReporter saveFailureReporter_;
    SettingsStore settings_;
    WindowGameHost host_;
    Game game_;
    Updater updater_;
    HighScoreTable table_;
    // Kept from paint to paint; released with the window, before GDI+ stops.
    FrameCache frameCache_;
    int dpi_ = BoardScale::boardDpi;
    // Where the window was last while it was neither minimised nor
    // maximised: where it comes back to, in screen coordinates.
    POINT restoredPosition_{};
    bool restoredPositionKnown_ = false;
    bool settingsSaved_ = false;
    // The last game whose end-of-game flow has begun, and whether that flow
    // is still under way.
    std::uint32_t scoredGame_ = 0;
    bool scoring_ = false;
};
