// A game host that records the notifications the game sends, in order, and
// lets a test act at the moment of a flash repaint.
#pragma once

#include <functional>
#include <mutex>
#include <ostream>
#include <string>
#include <vector>

#include "game/GameHost.h"

struct HostEvent {
    enum Kind { Repaint, Sleep, GameOver, RepostKey, Sound } kind;
    int value = 0;  // sleep ms, key code, sound id or game number
    bool keyDown = false;

    bool operator==(const HostEvent& o) const
    {
        return kind == o.kind && value == o.value && keyDown == o.keyDown;
    }
};

inline std::ostream& operator<<(std::ostream& out, const HostEvent& event)
{
    static const char* const kinds[] = {"Repaint", "Sleep", "GameOver", "RepostKey", "Sound"};
    out << kinds[event.kind] << "(" << event.value;
    if (event.kind == HostEvent::RepostKey)
        out << (event.keyDown ? ", down" : ", up");
    return out << ")";
}

class RecordingHost : public GameHost {
public:
    void repaintAndWait() override
    {
        record({HostEvent::Repaint});
        if (onRepaint)
            onRepaint();
    }
    void sleep(int milliseconds) override { record({HostEvent::Sleep, milliseconds}); }
    bool postGameOver(std::uint32_t gameNumber) override
    {
        record({HostEvent::GameOver, static_cast<int>(gameNumber)});
        if (refusedGameOverPosts == 0)
            return true;
        --refusedGameOverPosts;
        return false;
    }
    void repostKey(int virtualKey, bool keyDown) override { record({HostEvent::RepostKey, virtualKey, keyDown}); }
    void playSound(SoundId sound) override { record({HostEvent::Sound, static_cast<int>(sound)}); }

    std::vector<HostEvent> take()
    {
        const std::lock_guard<std::mutex> guard(mutex);
        std::vector<HostEvent> result;
        result.swap(events);
        return result;
    }

    std::vector<int> soundsTaken()
    {
        std::vector<int> sounds;
        for (const HostEvent& e : take())
            if (e.kind == HostEvent::Sound)
                sounds.push_back(e.value);
        return sounds;
    }

    // Runs inside repaintAndWait, e.g. to look at the field during the flash.
    std::function<void()> onRepaint;
    // How many game-over notices to refuse, as a full window queue would.
    int refusedGameOverPosts = 0;

private:
    void record(const HostEvent& event)
    {
        const std::lock_guard<std::mutex> guard(mutex);
        events.push_back(event);
    }

    std::mutex mutex;
    std::vector<HostEvent> events;
};
