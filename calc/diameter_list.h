#pragma once

#include <string>
#include <vector>

/// The texts of the diameter list, smallest first: the whole numbers from 6 to 50 that
/// the unit-weight table has a row for ("6", "8", …, "50"), each as a 16-bit integer's
/// digits.
std::vector<std::u16string> diameterListItems();

/// Whether a whole number from 6 to 50 is left out of the list.
bool isLeftOutOfList(int diameter);
