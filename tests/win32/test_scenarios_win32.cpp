// The book of scenarios on the Win32 window, and the trace of each handler call back to
// the input that started it.

#include "row_name.h"
#include "scenario.h"
#include "win32_driver.h"

#include <gtest/gtest.h>

namespace {

class Book : public testing::TestWithParam<Scenario> {};

TEST_P(Book, OnTheWin32Window)
{
    const Scenario &row = GetParam();
    if (const char *reason = row.skipReason(OnWin32))
        GTEST_SKIP() << "not on this window: " << reason;
    Win32Driver driver;
    for (const std::string &failure : runScenario(row, driver))
        ADD_FAILURE() << failure;
    // Every handler call came from input its control claimed, or that needs no claim.
    for (const std::string &unclaimed : driver.unclaimedInput())
        ADD_FAILURE() << unclaimed;
}

INSTANTIATE_TEST_SUITE_P(Scenarios, Book, testing::ValuesIn(scenarioBook()), ByRowName());

} // namespace
