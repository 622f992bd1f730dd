#pragma once

#include <string>
#include <string_view>

/// UTF-16 text as UTF-8, for failure messages and outputs compared between builds.
std::string utf8(const std::u16string &text);
/// UTF-8 bytes as UTF-16 text; each byte of a broken sequence becomes U+FFFD.
std::u16string fromUtf8(std::string_view bytes);
