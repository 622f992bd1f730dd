#include "diameter_list.h"

#include "number_text.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace {

// Diameters between 6 and 33 for which no bar is made.
constexpr std::array<int, 14> missingSizes{7, 11, 13, 15, 17, 19, 21, 23, 24, 26, 27, 29, 31, 33};

} // namespace

bool isLeftOutOfList(int diameter)
{
    return std::find(missingSizes.begin(), missingSizes.end(), diameter) != missingSizes.end()
           || (diameter > 33 && diameter < 36) || (diameter > 36 && diameter < 40)
           || (diameter > 40 && diameter < 50);
}

std::vector<std::u16string> diameterListItems()
{
    std::vector<std::u16string> items;
    for (int diameter = 6; diameter <= 50; ++diameter) {
        if (!isLeftOutOfList(diameter))
            items.push_back(shortToText(static_cast<std::int16_t>(diameter)));
    }
    return items;
}
