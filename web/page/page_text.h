#pragma once

#include <string>
#include <string_view>

// Text as the page writes it: UTF-8, escaped for HTML, numbers without locale.

/// UTF-16 text as UTF-8.
std::string utf8Text(std::u16string_view text);
/// Text for an element's content or an attribute's value: &, <, > and " escaped.
std::string escapeHtml(std::string_view text);
/// Bytes as base64, without line breaks.
std::string base64(std::string_view bytes);
/// A decimal without exponent or trailing zeros, at most three decimals ("14.25", "9").
std::string decimal(double value);
