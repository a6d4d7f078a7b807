// Linked into every test program that draws: GDI+ runs for the whole run of
// its tests, as the program's entry point keeps it for the whole program.
#include <gtest/gtest.h>

#include <memory>

#include "win/GdiplusSession.h"

namespace {

class GdiplusForTheTests : public ::testing::Environment {
public:
    void SetUp() override
    {
        session_ = std::make_unique<GdiplusSession>();
        ASSERT_TRUE(session_->started()) << "GDI+ does not start";
    }
    void TearDown() override { session_.reset(); }

private:
    std::unique_ptr<GdiplusSession> session_;
};

::testing::Environment* const gdiplusForTheTests = ::testing::AddGlobalTestEnvironment(new GdiplusForTheTests);

}  // namespace
