#pragma once

#include <string>

/// "作者：<name>  Email：<address>", the text of the hidden author line Label6, from
/// the build's author settings.
std::u16string authorLine();
