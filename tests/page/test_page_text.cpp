// The page's text helpers: base64, decimals without locale, UTF-8, HTML escapes.

#include "page_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Base64Row {
    const char *bytes;
    const char *encoded;
};

// RFC 4648's test vectors.
const Base64Row base64Rows[] = {{"", ""},
                                {"f", "Zg=="},
                                {"fo", "Zm8="},
                                {"foo", "Zm9v"},
                                {"foob", "Zm9vYg=="},
                                {"fooba", "Zm9vYmE="},
                                {"foobar", "Zm9vYmFy"}};

TEST(PageText, base64)
{
    for (const Base64Row &row : base64Rows)
        EXPECT_EQ(base64(row.bytes), row.encoded) << row.bytes;
    EXPECT_EQ(base64(std::string("\xff\xfe\x00", 3)), "//4A");
}

struct DecimalRow {
    double value;
    const char *text;
};

const DecimalRow decimalRows[] = {{9.0, "9"},           {14.25, "14.25"},     {10.0, "10"},
                                  {0.5, "0.5"},         {-0.5, "-0.5"},       {1.0 / 3.0, "0.333"},
                                  {2.0 / 3.0, "0.667"}, {-12.0625, "-12.063"}};

TEST(PageText, decimal)
{
    for (const DecimalRow &row : decimalRows)
        EXPECT_EQ(decimal(row.value), row.text) << row.value;
}

TEST(PageText, utf8AndEscapes)
{
    EXPECT_EQ(utf8Text(u"钢筋(mm)"), "\xe9\x92\xa2\xe7\xad\x8b(mm)");
    EXPECT_EQ(utf8Text(u"\U0001F600"), "\xf0\x9f\x98\x80");
    EXPECT_EQ(utf8Text(u"é"), "\xc3\xa9");
    EXPECT_EQ(escapeHtml("a<b>&\"c\""), "a&lt;b&gt;&amp;&quot;c&quot;");
}

} // namespace
