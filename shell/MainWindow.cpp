#include "shell/MainWindow.h"

#include <utility>

#include "records/LocalDateText.h"
#include "game/SoundEffects.h"
#include "render/GdiSurface.h"
#include "render/ImageStore.h"
#include "shell/MainWindowDialogs.h"
#include "resources/ResourceIds.h"
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

// Shows the window at the stored position, sized so that the client area is
// exactly the board's, whatever the system's frame and menu metrics. A
// position that would leave the title bar on no monitor (a window closed on a
// monitor since removed, a damaged file) is moved onto the nearest one.
void CMainWindow::placeWindow(int left, int top)
{
    RECT outer{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&outer, kWindowStyle, TRUE, 0);
    const SIZE size{outer.right - outer.left, outer.bottom - outer.top};
    const int titleBarHeight = GetSystemMetrics(SM_CYFIXEDFRAME) + GetSystemMetrics(SM_CYCAPTION);
    const POINT position = reachableWindowPosition({left, top}, size, titleBarHeight, displayMonitors());
    SetWindowPos(hwnd(), nullptr, position.x, position.y, size.cx, size.cy, SWP_SHOWWINDOW);

    // A menu bar that wraps onto two lines is taller than the metrics say.
    RECT client{};
    GetClientRect(hwnd(), &client);
    const int missingHeight = clientHeight - (client.bottom - client.top);
    if (missingHeight != 0) {
        SetWindowPos(hwnd(), nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top + missingHeight,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
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

void CMainWindow::OnStart()
{
    if (!game_.newGame()) {
        deferCommand(ID_GAME_START);
        return;
    }
    updater_.start(Updater::periodMs);
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
        updater_.start(Updater::periodMs);
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
    // A notice that arrives after the player has started another game belongs
    // to a game that no longer matters.
    if (gameNumber != game_.gameNumber())
        return 0;

    updater_.stop();
    updateUi_.setItemEnabled(ID_GAME_PAUSE, false);
    MessageBoxW(hwnd(), L"ゲームオーバー！", L"Brixol", MB_OK);

    const std::int32_t score = game_.stats.score;
    if (!table_.qualifies(score))
        return 0;
    const std::optional<std::wstring> name = askHighScoreName(GetActiveWindow());
    if (!name)
        return 0;
    // The date is the day the name was given, not the day the game ended.
    table_.addRecord(score, *name, localDateText(), game_.stats.lines);
    saveScores();
    PostMessageW(hwnd(), WM_COMMAND, ID_GAME_RESULTS,
                 reinterpret_cast<LPARAM>(GetDlgItem(hwnd(), ID_GAME_RESULTS)));
    return 0;
}

void CMainWindow::OnPaint(HDC target)
{
    RECT client{};
    GetClientRect(hwnd(), &client);
    const Size clientSize{client.right - client.left, client.bottom - client.top};
    GdiSurface surface(target, clientSize, ImageStore::shared(clientSize), &frameCache_);
    game_.paint(surface);
}
