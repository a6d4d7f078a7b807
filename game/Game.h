// The game model: the playfield, the pieces, the statistics and the captions,
// advanced one step per timer tick.
//
// Two threads use it. The timer thread runs tick(); the window thread runs
// everything else. The tick holds `lock_` for its whole length and, during the
// line-clear flash, waits for the window thread to paint, so the window
// thread never waits for `lock_`: it only tries it and defers its work when the
// lock is busy. What painting reads is guarded by `frameLock_`, which is held
// only for short stretches that never wait for another thread and never call
// out of the game: a sound asked for meanwhile starts once it is released.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <optional>
#include <vector>

#include "game/Block.h"
#include "game/Field.h"
#include "game/FrameState.h"
#include "game/GameStats.h"
#include "game/GuideBlock.h"
#include "game/GameCaptions.h"
#include "game/SoundEffects.h"

class DrawSurface;
class GameHost;

struct Point {
    std::int32_t x;
    std::int32_t y;
};

// How a game ended: what the end-of-game flow scores, taken when it ended.
struct GameResult {
    std::uint32_t gameNumber = 0;  // 0: no game has ended yet
    std::int32_t score = 0;
    std::int32_t lines = 0;
};

// How much of the window a paint reaches. Only a paint of the whole window
// shows its frame there; after any other the timer still repaints.
enum class PaintReach { PartOfWindow, WholeWindow };

// Virtual-key codes of the controls.
namespace keys {
constexpr int shift = 0x10;  // hard drop
constexpr int space = 0x20;  // soft drop while held
constexpr int left = 0x25;
constexpr int up = 0x26;     // turn counter-clockwise
constexpr int right = 0x27;
constexpr int down = 0x28;   // turn clockwise
}  // namespace keys

class Game {
public:
    explicit Game(GameHost& host);

    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    // Starts a fresh game (window thread). Returns false, having done nothing,
    // when a tick holds the lock; the caller tries again later.
    bool newGame();

    // One step of the game (timer thread), and whether the window must now
    // be repainted: the frame differs from the last one painted on the whole
    // window. The step and that test hold the frame lock together, so no
    // paint comes between them. Does nothing once the game is over but post
    // again a game-over notice that could not be posted.
    bool tick();

    // The controls (window thread). A key that finds the game busy is queued
    // again through the host, never dropped and never waited for.
    void keyDown(int virtualKey);
    void keyUp(int virtualKey);

    // Pauses or resumes a running game and shows or hides the pause caption
    // (window thread). Does nothing without a running game. Returns false,
    // having done nothing, when a tick holds the lock.
    bool togglePause();

    // Composes a whole frame (window thread) for a paint that reaches as far
    // as reach says. A paint of the whole window records its frame as the
    // one the window shows, in the same hold of the frame lock as it draws.
    void paint(DrawSurface& target, PaintReach reach);

    // The number of the frame paint would draw now. It changes exactly when
    // something drawn has changed since the number was last taken, by this
    // or by a paint. Any thread; holds the frame lock briefly.
    std::uint64_t frameNumber();
    // True when the frame paint would draw now differs from the one last
    // painted on the whole window, or nothing has been painted there yet: the
    // test the tick ends with. Any thread; holds the frame lock briefly.
    bool frameChangedSincePaint();

    // Counts the games started; the game-over notice carries it.
    std::uint32_t gameNumber() const { return gameNumber_; }

    // The last game that ended, with its score and lines as they were when
    // it ended, whatever has happened since. Any thread; holds the frame
    // lock briefly.
    GameResult lastResult();

    float computeFallSpeed() const;
    std::int32_t computeLockDelayTicks() const;

    static constexpr std::uint8_t frameAlpha = 192;
    // The length of one tick: the timer's period, and the unit of the delays.
    static constexpr std::int32_t msPerTick = 16;

    const float softDropSpeed = 12.0f;
    const std::int32_t baseLockDelay = 500;
    const Point fieldOrigin{8, 16};
    const Point spawnOffset{48, 0};
    const Point nextOrigin{176, 16};

    std::atomic<bool> running{false};
    std::atomic<bool> paused{false};
    std::atomic<bool> guideEnabled{false};
    std::int32_t lockCounter = 0;
    std::int32_t lockDelayTicks = 0;
    float fallSpeed = 0.0f;

    Field field;
    GuideBlock guide;
    Block current;
    Block next;
    GameStats stats;
    CaptionLevelUp levelUpCaption;
    CaptionDelete deleteCaption;
    CaptionPause pauseCaption;
    CaptionScore scoreCaption;

private:
    // Tests arrange a board between ticks through this seam
    // (tests/support/GameTestAccess.h); nothing else reaches the locks.
    friend struct GameTestAccess;

    class FrameHold;

    static void startPiece(Block& piece, Point position);
    void advance(FrameHold& frame);
    void fall();
    void lockPiece(FrameHold& frame);
    void clearRows(const std::vector<int>& rows, FrameHold& frame);
    void spawnNextPiece();
    void gameOver();
    void handleKey(int virtualKey);
    void moveSideways(int columns);
    void turn(bool counterClockwise);
    void hardDrop();
    bool blockedAt(int column, int row) const;
    bool restsOnSomething() const;
    // Asks for a sound while the frame lock is held, if the sound option is
    // on; the FrameHold starts it once it has released the lock.
    void queueSound(SoundId sound);
    void startQueuedSounds();
    // frameNumber with the frame lock held.
    std::uint64_t numberFrame();

    GameHost& host_;
    std::atomic<std::uint32_t> gameNumber_{0};
    std::mutex lock_;
    std::mutex frameLock_;
    // Guarded by lock_: the sounds asked for while frameLock_ is held, and
    // whether the game-over notice is still to be posted.
    std::vector<SoundId> queuedSounds_;
    bool gameOverDue_ = false;
    // Guarded by frameLock_: the last game that ended.
    GameResult lastResult_;
    // Guarded by frameLock_: the state the current frame number was given to,
    // and the number of the frame last painted on the whole window (0: none
    // yet).
    std::optional<FrameState> numberedState_;
    std::uint64_t frameNumber_ = 0;
    std::uint64_t paintedFrame_ = 0;
};
