#include "win/MessageLoop.h"

#include <algorithm>

namespace {

template <class T>
void removeAll(std::vector<T*>& list, T* item)
{
    list.erase(std::remove(list.begin(), list.end(), item), list.end());
}

}  // namespace

void MessageLoop::addFilter(MessageFilter& filter) { filters_.push_back(&filter); }
void MessageLoop::removeFilter(MessageFilter& filter) { removeAll(filters_, &filter); }
void MessageLoop::addIdleHandler(IdleHandler& handler) { idleHandlers_.push_back(&handler); }
void MessageLoop::removeIdleHandler(IdleHandler& handler) { removeAll(idleHandlers_, &handler); }

int MessageLoop::run()
{
    MSG message{};
    bool idle = true;
    for (;;) {
        // PM_NOREMOVE only looks: the message stays for GetMessageW.
        while (idle && !PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE))
            idle = runIdleHandlers();

        const BOOL result = GetMessageW(&message, nullptr, 0, 0);
        if (result == -1)
            continue;
        if (result == 0)
            return static_cast<int>(message.wParam);
        if (!preTranslate(message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        idle = true;
    }
}

bool MessageLoop::preTranslate(MSG& message)
{
    // By index, and checked on each step: a filter's translation sends
    // WM_COMMAND at once, and that command may remove filters.
    for (std::size_t i = filters_.size(); i > 0; --i) {
        if (i <= filters_.size() && filters_[i - 1]->preTranslate(message))
            return true;
    }
    return false;
}

bool MessageLoop::runIdleHandlers()
{
    bool wantsMore = false;
    for (std::size_t i = 0; i < idleHandlers_.size(); ++i)
        wantsMore = idleHandlers_[i]->onIdle() || wantsMore;
    return wantsMore;
}
