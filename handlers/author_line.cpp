#include "author_line.h"

#include "build_info.h"

std::u16string authorLine()
{
    // The settings are UTF-8 literals; joined to UTF-16 ones they become UTF-16.
    return u"作者：" REBAR_AUTHOR_NAME u"  Email：" REBAR_AUTHOR_EMAIL;
}
