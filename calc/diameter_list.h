#pragma once

class FormModel;

/// The load handler of the window: fills Combo1's list with the whole-number
/// diameters of the unit-weight table, smallest first.
void fillDiameterList(FormModel &form);

/// Whether a whole number from 6 to 50 is left out of the list.
bool isLeftOutOfList(int diameter);
