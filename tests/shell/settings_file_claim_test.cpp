// The claim on a settings file: one holder per full path, whatever the
// letters' case; the holder's window found by a later claim.
#include <gtest/gtest.h>

#include <string>

#include "shell/SettingsFileClaim.h"
#include "tests/support/win32/TemporaryDirectory.h"

namespace {

TEST(SettingsFileClaim, NamesAreOnePerPathWhateverTheCase)
{
    EXPECT_EQ(SettingsFileClaim::nameFor(L"C:\\Games\\Brixol\\Brixol.ini"),
              SettingsFileClaim::nameFor(L"c:\\GAMES\\brixol\\BRIXOL.INI"));
    EXPECT_NE(SettingsFileClaim::nameFor(L"C:\\Games\\Brixol\\Brixol.ini"),
              SettingsFileClaim::nameFor(L"C:\\Games\\Brixol2\\Brixol.ini"));
    // Any length of path gives a name the system accepts.
    EXPECT_LT(SettingsFileClaim::nameFor(L"C:\\" + std::wstring(5000, L'x')).size(), 64u);
}

TEST(SettingsFileClaim, TheFirstClaimHoldsAndALaterOneFindsItsWindow)
{
    const TemporaryDirectory directory;
    const HWND window = CreateWindowExW(0, L"STATIC", L"holder", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                        nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    {
        SettingsFileClaim first(L"./Brixol.ini");
        ASSERT_TRUE(first.held());
        // Relative and full spellings, in another case: the same file.
        const SettingsFileClaim beforePublishing(directory.path() + L"\\BRIXOL.INI");
        EXPECT_FALSE(beforePublishing.held());
        EXPECT_EQ(beforePublishing.holderWindow(0), nullptr);

        first.publish(window);
        const SettingsFileClaim second(L"brixol.ini");
        EXPECT_FALSE(second.held());
        EXPECT_EQ(second.holderWindow(1000), window);

        const SettingsFileClaim otherFile(L"./Other.ini");
        EXPECT_TRUE(otherFile.held());
    }
    // With every claim gone, the file can be claimed afresh.
    const SettingsFileClaim afterwards(L"./Brixol.ini");
    EXPECT_TRUE(afterwards.held());
    DestroyWindow(window);
}

}  // namespace
