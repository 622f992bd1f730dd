// The book of scenarios on the handlers and the fake form.

#include "fake_driver.h"
#include "row_name.h"
#include "scenario.h"

#include <gtest/gtest.h>

namespace {

class Book : public testing::TestWithParam<Scenario> {};

TEST_P(Book, OnTheFakeForm)
{
    const Scenario &row = GetParam();
    if (const char *reason = row.skipReason(OnFake))
        GTEST_SKIP() << "windows only: " << reason;
    FakeDriver driver;
    for (const std::string &failure : runScenario(row, driver))
        ADD_FAILURE() << failure;
}

INSTANTIATE_TEST_SUITE_P(Scenarios, Book, testing::ValuesIn(scenarioBook()), ByRowName());

// Each window that skips a row is named by exactly one of its reasons, and no reason
// names a window that runs it.
TEST(BookRows, EveryWindowThatSkipsARowSaysWhy)
{
    for (const Scenario &row : scenarioBook()) {
        for (const WindowKind window : {OnFake, OnQt, OnWin32, OnWeb}) {
            int reasons = 0;
            for (const Skip &skip : row.skips)
                reasons += (skip.windows & window) != 0 && skip.reason != nullptr;
            EXPECT_EQ(reasons, (row.windows & window) ? 0 : 1)
                << '"' << row.name << "\" on window kind " << window;
        }
    }
}

} // namespace
