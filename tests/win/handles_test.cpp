// The owned-handle template: every alias shares one way to release, reset,
// give up and lend its handle.
#include <gtest/gtest.h>

#include <vector>

#include "win/Handles.h"

namespace {

std::vector<int*> closed;

void closeFake(int* handle) { closed.push_back(handle); }

using UniqueFake = UniqueAny<int*, closeFake>;
using UniqueFakeWithInvalid = UniqueAny<int*, closeFake, -1>;

class HandlesTest : public ::testing::Test {
protected:
    void SetUp() override { closed.clear(); }
    int a = 0;
    int b = 0;
};

TEST_F(HandlesTest, ReleasesItsHandleOnceWhenItGoes)
{
    { const UniqueFake owner(&a); }
    EXPECT_EQ(closed, std::vector<int*>{&a});
}

TEST_F(HandlesTest, ResetReleasesTheOldHandleAndKeepsTheNew)
{
    UniqueFake owner(&a);
    owner.reset(&b);
    EXPECT_EQ(closed, std::vector<int*>{&a});
    EXPECT_EQ(owner.get(), &b);
}

TEST_F(HandlesTest, ReleaseGivesUpOwnershipWithoutClosing)
{
    UniqueFake owner(&a);
    EXPECT_EQ(owner.release(), &a);
    EXPECT_FALSE(owner);
    owner.reset();
    EXPECT_TRUE(closed.empty());
}

TEST_F(HandlesTest, PutReleasesTheOldHandleAndTakesWhatIsWrittenThroughIt)
{
    UniqueFake owner(&a);
    int** slot = owner.put();
    EXPECT_EQ(closed, std::vector<int*>{&a});
    EXPECT_EQ(*slot, nullptr);
    *slot = &b;  // as a function with an out-parameter would
    EXPECT_EQ(owner.get(), &b);
}

TEST_F(HandlesTest, MovingHandsTheHandleOverAndClosesItOnce)
{
    UniqueFake first(&a);
    UniqueFake second(std::move(first));
    EXPECT_FALSE(first);
    first = std::move(second);
    EXPECT_EQ(first.get(), &a);
    first.reset();
    EXPECT_EQ(closed, std::vector<int*>{&a});
}

TEST_F(HandlesTest, TheInvalidValueMeansNoHandleAndIsNeverClosed)
{
    {
        UniqueFakeWithInvalid owner;
        EXPECT_FALSE(owner);
        EXPECT_EQ(owner.get(), reinterpret_cast<int*>(-1));
        EXPECT_EQ(*owner.put(), reinterpret_cast<int*>(-1));
        // Null is a handle like any other for such a type.
        owner.reset(nullptr);
        EXPECT_TRUE(owner);
    }
    EXPECT_EQ(closed, std::vector<int*>{nullptr});
}

TEST(Handles, FileHandlesTakeInvalidHandleValueForNone)
{
    const UniqueFile none;
    EXPECT_EQ(none.get(), INVALID_HANDLE_VALUE);
    EXPECT_FALSE(none);
    const UniqueFile failed(CreateFileW(L"Z:\\no\\such\\folder\\file", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0,
                                        nullptr));
    EXPECT_FALSE(failed);
}

}  // namespace
