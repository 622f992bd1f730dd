// The book of scenarios on the Win32 window.

#include "row_name.h"
#include "scenario.h"
#include "win32_driver.h"

#include <gtest/gtest.h>

namespace {

class Book : public testing::TestWithParam<Scenario> {};

TEST_P(Book, OnTheWin32Window)
{
    const Scenario &row = GetParam();
    if (!(row.windows & OnWin32))
        GTEST_SKIP() << "not on this window: " << row.skipReason;
    Win32Driver driver;
    for (const std::string &failure : runScenario(row, driver))
        ADD_FAILURE() << failure;
}

INSTANTIATE_TEST_SUITE_P(Scenarios, Book, testing::ValuesIn(scenarioBook()), ByRowName());

} // namespace
