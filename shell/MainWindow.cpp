#include "shell/MainWindow.h"

#include <utility>

#include "records/LocalDateText.h"
#include "game/SoundEffects.h"
#include "render/GdiSurface.h"
#include "render/ImageStore.h"
#include "shell/MainWindowDialogs.h"
#include "ids/ResourceIds.h"
#include "win/Dpi.h"
#include "win/Icons.h"
#include "win/ReachablePosition.h"

namespace {

constexpr DWORD kWindowStyle = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;  // 0x00CA0000
constexpr UINT kClassStyle = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;

// How long a command that found the game busy waits before it is queued again.
constexpr DWORD kDeferredCommandDelayMs = 1;

}  // namespace

CMainWindow::CMainWindow(MessageLoop& loop, std::function<void()> closing)
    : loop_(loop),
      closing_(std::move(closing)),
      updateUi_({ID_GAME_START, ID_GAME_PAUSE, ID_OPTION_SOUND, ID_OPTION_GUIDE}),
      settingsFile_(kSettingsFilePath),
      settings_(settingsFile_, damagedDataReporter_, saveFailureReporter_),
      game_(host_),
      updater_(game_, host_)
{
}

CMainWindow::~CMainWindow()
{
    // The timer's last event may be waiting for this window to paint; with
    // the window gone it no longer waits, and the timer can be stopped.
    if (hwnd() != nullptr)
        DestroyWindow(hwnd());
}

bool CMainWindow::create()
{
    WindowClassInfo info;
    info.name = className;
    info.style = kClassStyle;
    info.background = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    info.menuId = IDR_MAIN_MENU;
    if (!registerClass(info))
        return false;
    return WindowBase::create(className, title, kWindowStyle) != nullptr;
}

LRESULT CMainWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_NCCREATE:
        enableNonClientDpiScaling(hwnd());
        break;
    case WM_CREATE:
        return OnCreate();
    case WM_CLOSE:
        DestroyWindow(hwnd());
        return 0;
    case WM_DESTROY:
        OnDestroy();
        return 0;
    case WM_ENDSESSION:
        OnEndSession(wParam != FALSE);
        return 0;
    case WM_WINDOWPOSCHANGED:
        OnWindowPosChanged();
        break;  // the default handling sends WM_MOVE and WM_SIZE
    case WM_KEYDOWN:
        OnKeyDown(static_cast<int>(wParam));
        return 0;
    case WM_KEYUP:
        game_.keyUp(static_cast<int>(wParam));
        return 0;
    case WM_APP_GAME_OVER:
        return OnGameOver(static_cast<std::uint32_t>(wParam));
    case WM_COMMAND:
        if (OnCommand(LOWORD(wParam)))
            return 0;
        break;
    case WM_INITMENUPOPUP:
        updateUi_.applyTo(reinterpret_cast<HMENU>(wParam));
        break;
    case dpiChangedMessage:
        OnDpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case dpiScaledSizeMessage:
        return OnGetDpiScaledSize(static_cast<int>(wParam), *reinterpret_cast<SIZE*>(lParam));
    default:
        break;
    }
    return defaultHandling(message, wParam, lParam);
}

bool CMainWindow::preTranslate(MSG& message)
{
    return shortcuts_ && TranslateAcceleratorW(hwnd(), shortcuts_.get(), &message) != 0;
}

LRESULT CMainWindow::OnCreate()
{
    host_.attach(hwnd());
    damagedDataReporter_.setOwner(hwnd());
    saveFailureReporter_.setOwner(hwnd());
    const HINSTANCE module = GetModuleHandleW(nullptr);
    shortcuts_.reset(LoadAcceleratorsW(module, MAKEINTRESOURCEW(IDR_SHORTCUTS)));
    loop_.addFilter(*this);
    loop_.addIdleHandler(*this);

    icon_ = loadLargeIcon(module, IDI_BRIXOL);
    SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_.get()));

    settings_.load();
    dpi_ = windowDpi(hwnd());
    placeWindow(settings_.windowLeft, settings_.windowTop);

    soundEnabled() = settings_.sound;
    game_.guideEnabled = settings_.guide;
    table_.records = settings_.records;

    updateUi_.setItemEnabled(ID_GAME_PAUSE, false);
    updateUi_.setItemChecked(ID_GAME_PAUSE, false);
    updateUi_.setItemChecked(ID_OPTION_SOUND, soundEnabled());
    updateUi_.setItemChecked(ID_OPTION_GUIDE, game_.guideEnabled);
    return 0;
}

Size CMainWindow::clientSize() const { return clientSizeFor(dpi_); }

Size CMainWindow::clientSizeFor(int windowDpi)
{
    return BoardScale(windowDpi).toDevice(Size{boardWidth, boardHeight});
}

// Shows the window at the stored position, sized so that the client area is
// exactly the board's at the window's DPI, whatever the system's frame and
// menu metrics. A position that would leave the title bar on no monitor (a
// window closed on a monitor since removed, a damaged file) is moved onto
// the nearest one.
void CMainWindow::placeWindow(int left, int top)
{
    const SIZE size = outerSizeFor(dpi_);
    const int titleBarHeight =
        systemMetricForDpi(SM_CYFIXEDFRAME, dpi_) + systemMetricForDpi(SM_CYCAPTION, dpi_);
    const POINT position = reachableWindowPosition({left, top}, size, titleBarHeight, displayMonitors());
    SetWindowPos(hwnd(), nullptr, position.x, position.y, size.cx, size.cy, SWP_SHOWWINDOW);
    fitClientToBoard();
}

// The outer size of the window whose client area is the board at that DPI,
// as the system's metrics for the DPI give it.
SIZE CMainWindow::outerSizeFor(int windowDpi) const
{
    const Size client = clientSizeFor(windowDpi);
    RECT outer{0, 0, client.width, client.height};
    adjustWindowRectForDpi(outer, kWindowStyle, true, 0, windowDpi);
    return SIZE{outer.right - outer.left, outer.bottom - outer.top};
}

// A menu bar that wraps onto two lines is taller than the metrics say, and
// a frame drawn at another DPI than the metrics' is wider or narrower: the
// client area is measured and the window corrected. A narrower window may
// wrap its menu bar once more, so a second look follows.
void CMainWindow::fitClientToBoard()
{
    const Size wanted = clientSize();
    for (int attempt = 0; attempt < 2; ++attempt) {
        RECT client{};
        RECT outer{};
        if (!GetClientRect(hwnd(), &client) || !GetWindowRect(hwnd(), &outer))
            return;
        const int missingWidth = wanted.width - (client.right - client.left);
        const int missingHeight = wanted.height - (client.bottom - client.top);
        if (missingWidth == 0 && missingHeight == 0)
            return;
        SetWindowPos(hwnd(), nullptr, 0, 0, outer.right - outer.left + missingWidth,
                     outer.bottom - outer.top + missingHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

// The window has moved to a monitor of another DPI (or that monitor's
// scale has changed): the board is drawn at the new DPI, its art and fonts
// made again at the next paint, in a window placed where the system
// suggests and sized to the board exactly.
void CMainWindow::OnDpiChanged(int newDpi, const RECT& suggested)
{
    dpi_ = BoardScale(newDpi).dpi();
    const SIZE size = outerSizeFor(dpi_);
    SetWindowPos(hwnd(), nullptr, suggested.left, suggested.top, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    fitClientToBoard();
    InvalidateRect(hwnd(), nullptr, FALSE);
}

// Asked before WM_DPICHANGED, so that the system suggests a rectangle of the
// board's exact size rather than the window's size scaled.
LRESULT CMainWindow::OnGetDpiScaledSize(int newDpi, SIZE& size) const
{
    size = outerSizeFor(BoardScale(newDpi).dpi());
    return TRUE;
}

void CMainWindow::OnDestroy()
{
    if (closing_)
        closing_();
    // From here on the game's requests find no window: a tick still under
    // way paints nothing and posts nothing, and no new tick starts.
    host_.detach();
    updater_.stop();
    saveSettings();
    loop_.removeFilter(*this);
    loop_.removeIdleHandler(*this);
    PostQuitMessage(0);
}

// When Windows ends the session the process is ended without WM_DESTROY, so
// the settings are saved here too; once only, whichever comes first.
void CMainWindow::OnEndSession(bool ending)
{
    if (ending)
        saveSettings();
}

// Kept as the window moves, so that a window closed minimised or maximised
// (its rectangle then far off screen, or the whole screen) stores where it
// comes back to; the placement's restored rectangle is not used, as its
// coordinates are the work area's on Windows and the screen's under wine.
void CMainWindow::OnWindowPosChanged()
{
    RECT outer{};
    if (IsIconic(hwnd()) || IsZoomed(hwnd()) || !GetWindowRect(hwnd(), &outer))
        return;
    restoredPosition_ = {outer.left, outer.top};
    restoredPositionKnown_ = true;
}

void CMainWindow::saveSettings()
{
    if (settingsSaved_)
        return;
    settingsSaved_ = true;
    if (restoredPositionKnown_) {
        settings_.windowLeft = restoredPosition_.x;
        settings_.windowTop = restoredPosition_.y;
    }
    settings_.sound = soundEnabled();
    settings_.guide = game_.guideEnabled;
    settings_.records = table_.records;
    settings_.save();
}

// A score is kept the moment it is won or cleared, so that a process killed
// later loses none. The options and the position in the store are still the
// loaded ones: those are written only when the window closes.
void CMainWindow::saveScores()
{
    settings_.records = table_.records;
    settings_.save();
}

void CMainWindow::OnKeyDown(int virtualKey)
{
    if (game_.running && !game_.paused)
        game_.keyDown(virtualKey);
}

bool CMainWindow::OnCommand(UINT commandId)
{
    switch (commandId) {
    case ID_GAME_START:
    case ID_KEY_START:
        OnStart();
        return true;
    case ID_GAME_PAUSE:
    case ID_KEY_PAUSE:
        OnPause();
        return true;
    case ID_GAME_RESULTS:
    case ID_KEY_RESULTS:
        OnResults();
        return true;
    case ID_GAME_EXIT:
    case ID_KEY_EXIT:
        PostMessageW(hwnd(), WM_CLOSE, 0, 0);
        return true;
    case ID_OPTION_SOUND:
    case ID_KEY_SOUND:
        OnSound();
        return true;
    case ID_OPTION_GUIDE:
    case ID_KEY_GUIDE:
        OnGuide();
        return true;
    case ID_HELP_VERSION:
        OnVersion();
        return true;
    default:
        return false;
    }
}

// The window thread never waits for the game's lock: a command that finds a
// tick holding it (the line-clear flash) comes back through the queue.
void CMainWindow::deferCommand(UINT commandId)
{
    Sleep(kDeferredCommandDelayMs);
    PostMessageW(hwnd(), WM_COMMAND, commandId, 0);
}

// The game that has ended is scored before another starts: a Start during its
// end-of-game flow is dropped (the player pressed it before seeing the game
// over, and a game starting behind the flow's dialogs would run unseen), and
// one that comes before the game-over notice brings the flow on at once.
void CMainWindow::OnStart()
{
    if (scoring_)
        return;
    const std::uint32_t ended = game_.lastResult().gameNumber;
    if (ended == game_.gameNumber() && ended != scoredGame_) {
        OnGameOver(ended);
        return;
    }
    if (!game_.newGame()) {
        deferCommand(ID_GAME_START);
        return;
    }
    updater_.start(Game::msPerTick);
    updateUi_.setItemEnabled(ID_GAME_PAUSE, true);
    updateUi_.setItemChecked(ID_GAME_PAUSE, false);
}

// With no game, Pause does nothing: starting the timer on an ended game would
// end it a second time.
void CMainWindow::OnPause()
{
    if (!game_.togglePause()) {
        deferCommand(ID_GAME_PAUSE);
        return;
    }
    if (!game_.running)
        return;
    if (game_.paused) {
        InvalidateRect(hwnd(), nullptr, FALSE);
        updater_.stop();
    } else {
        updater_.start(Game::msPerTick);
    }
    updateUi_.setItemChecked(ID_GAME_PAUSE, game_.paused);
}

void CMainWindow::OnSound()
{
    soundEnabled() = !soundEnabled();
    updateUi_.setItemChecked(ID_OPTION_SOUND, soundEnabled());
}

void CMainWindow::OnGuide()
{
    game_.guideEnabled = !game_.guideEnabled;
    updateUi_.setItemChecked(ID_OPTION_GUIDE, game_.guideEnabled);
}

void CMainWindow::OnResults()
{
    showResultsDialog(GetActiveWindow(), table_, [this] { saveScores(); });
}

void CMainWindow::OnVersion()
{
    showVersionDialog(GetActiveWindow());
}

LRESULT CMainWindow::OnGameOver(std::uint32_t gameNumber)
{
    const GameResult result = game_.lastResult();
    // A notice of a game already scored, or of one that is not the last to
    // have ended, changes nothing.
    if (gameNumber != result.gameNumber || gameNumber == scoredGame_)
        return 0;
    scoredGame_ = gameNumber;
    scoring_ = true;
    updater_.stop();
    updateUi_.setItemEnabled(ID_GAME_PAUSE, false);
    scoreEndedGame(result);
    scoring_ = false;
    return 0;
}

// The whole flow works on the result taken when the game ended, never on the
// game itself, which the window thread may not read while a tick runs.
void CMainWindow::scoreEndedGame(const GameResult& result)
{
    MessageBoxW(hwnd(), L"ゲームオーバー！", L"Brixol", MB_OK);
    if (!table_.qualifies(result.score))
        return;
    const std::optional<std::wstring> name = askHighScoreName(GetActiveWindow());
    if (!name)
        return;
    // The date is the day the name was given, not the day the game ended.
    table_.addRecord(result.score, *name, localDateText(), result.lines);
    saveScores();
    PostMessageW(hwnd(), WM_COMMAND, ID_GAME_RESULTS, 0);
}

void CMainWindow::OnPaint(HDC target, PaintCoverage coverage)
{
    RECT client{};
    GetClientRect(hwnd(), &client);
    const Size painted{client.right - client.left, client.bottom - client.top};
    const BoardScale scale(dpi_);
    // The store is made at the first paint; its plain background has the
    // board's size in the board's own coordinates, whatever the DPI.
    GdiSurface surface(target, painted, ImageStore::shared(scale.toBoardCovering(painted)), &frameCache_, scale);
    game_.paint(surface,
                coverage == PaintCoverage::WholeClient ? PaintReach::WholeWindow : PaintReach::PartOfWindow);
}
