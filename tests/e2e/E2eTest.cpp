#include "tests/e2e/E2eTest.h"

#include <iostream>

#include "tests/e2e/DesktopWindows.h"
#include "tests/e2e/NextPieceBox.h"
#include "tests/e2e/Screenshot.h"

namespace {

// A hard-dropped piece locks after the lock delay, half a second; when the
// next piece is the same as the one before, the box does not change and the
// wait ends here.
constexpr DWORD kNextPieceLimitMs = 2000;

std::wstring widen(const char* text)
{
    std::wstring wide;
    for (const char* c = text; *c != '\0'; ++c)
        wide.push_back(static_cast<wchar_t>(static_cast<unsigned char>(*c)));
    return wide;
}

}  // namespace

void E2eTest::TearDown()
{
    if (HasFailure()) {
        saveFailureScreenshot();
        if (brixol_)
            std::cout << "windows of the program: " << brixol_->describeWindows() << "\nkeys sent by "
                      << BrixolProcess::lastKeyRoute() << std::endl;
    }
    brixol_.reset();
}

void E2eTest::saveFailureScreenshot() const
{
    const ::testing::TestInfo* const test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::wstring name = L"e2e-" + widen(test->test_suite_name()) + L"-" + widen(test->name()) + L".bmp";
    for (wchar_t& c : name) {
        if (c == L'/')
            c = L'_';
    }
    const std::wstring path = outputDirectory() + L"\\" + name;
    Capture capture = captureScreen();
    if (capture.empty() && window_ != nullptr)
        capture = captureClientArea(window_);
    if (saveBitmap(capture, path))
        std::cout << "screenshot: " << narrow(path) << std::endl;
    else
        std::cout << "no screenshot could be taken for " << narrow(path) << std::endl;
}

void E2eTest::launchBrixol()
{
    ASSERT_TRUE(directory_.created());
    brixol_ = std::make_unique<BrixolProcess>(directory_.path());
    ASSERT_TRUE(brixol_->started()) << narrow(brixol_->startError());
}

void E2eTest::awaitMainWindow()
{
    window_ = brixol_->waitForMainWindow();
    ASSERT_NE(window_, nullptr) << "the main window \"Brixol\" did not show within "
                                << BrixolProcess::windowTimeoutMs << " ms; windows: " << brixol_->describeWindows();
}

void E2eTest::startBrixol()
{
    ASSERT_NO_FATAL_FAILURE(launchBrixol());
    ASSERT_NO_FATAL_FAILURE(awaitMainWindow());
}

HWND E2eTest::awaitDialog(const wchar_t* caption, DWORD timeoutMs)
{
    const HWND dialog = brixol_->waitForDialog(caption, timeoutMs);
    if (dialog == nullptr)
        ADD_FAILURE() << "no window \"" << narrow(caption) << "\" within " << timeoutMs
                      << " ms; windows: " << brixol_->describeWindows();
    return dialog;
}

void E2eTest::expectClosed(HWND window, const char* what)
{
    EXPECT_TRUE(brixol_->waitUntilClosed(window))
        << what << " is still open after " << BrixolProcess::windowTimeoutMs << " ms";
}

void E2eTest::answer(HWND box, int buttonId, const char* what)
{
    postControlClick(box, buttonId);
    expectClosed(box, what);
}

void E2eTest::closeWithEscape()
{
    pressKey(VK_ESCAPE);
    ASSERT_TRUE(brixol_->waitForExit()) << "Esc did not end the program within " << BrixolProcess::exitTimeoutMs
                                        << " ms; its windows: " << brixol_->describeWindows();
    EXPECT_EQ(brixol_->exitCode(), 0u);
}

HWND E2eTest::playUntilGameOver()
{
    pressKey('S');
    HWND box = nullptr;
    waitUntil(
        [&] {
            box = brixol_->findDialog(L"Brixol");
            if (box != nullptr || !brixol_->running())
                return true;
            const NextPieceBox before(window_);
            pressKey(VK_SHIFT);
            waitUntil([&] { return before.changed() || brixol_->findDialog(L"Brixol") != nullptr; },
                      kNextPieceLimitMs);
            return false;
        },
        gameTimeoutMs);
    if (box == nullptr)
        ADD_FAILURE() << "no \"Brixol\" game-over message box within " << gameTimeoutMs
                      << " ms of hard drops; windows: " << brixol_->describeWindows();
    return box;
}

::testing::AssertionResult hasText(HWND dialog, const std::wstring& expected)
{
    const std::wstring texts = childTexts(dialog);
    if (texts.find(expected) != std::wstring::npos)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "\"" << narrow(expected) << "\" is not among the texts:\n"
                                         << narrow(texts);
}
