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
    if (!(row.windows & OnFake))
        GTEST_SKIP() << "windows only: " << row.skipReason;
    FakeDriver driver;
    for (const std::string &failure : runScenario(row, driver))
        ADD_FAILURE() << failure;
}

INSTANTIATE_TEST_SUITE_P(Scenarios, Book, testing::ValuesIn(scenarioBook()), ByRowName());

} // namespace
