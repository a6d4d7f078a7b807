#include "win/GdiplusSession.h"

#include <atomic>

#include "win/GdiplusApi.h"

namespace {

// The started sessions: GDI+ counts its own starts, this only answers
// running().
std::atomic<int> startedSessions{0};

}  // namespace

GdiplusSession::GdiplusSession()
{
    const Gdiplus::GdiplusStartupInput input;  // version 1, every option off
    started_ = Gdiplus::GdiplusStartup(&token_, &input, nullptr) == Gdiplus::Ok;
    if (started_)
        ++startedSessions;
}

GdiplusSession::~GdiplusSession()
{
    if (!started_)
        return;
    --startedSessions;
    Gdiplus::GdiplusShutdown(token_);
}

bool GdiplusSession::running()
{
    return startedSessions.load() > 0;
}
