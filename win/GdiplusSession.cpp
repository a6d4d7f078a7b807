#include "win/GdiplusSession.h"

#include "win/GdiplusApi.h"

const GdiplusSession& GdiplusSession::instance()
{
    static const GdiplusSession session;
    return session;
}

GdiplusSession::GdiplusSession()
{
    const Gdiplus::GdiplusStartupInput input;  // version 1, every option off
    started_ = Gdiplus::GdiplusStartup(&token_, &input, nullptr) == Gdiplus::Ok;
}

GdiplusSession::~GdiplusSession()
{
    if (started_)
        Gdiplus::GdiplusShutdown(token_);
}
