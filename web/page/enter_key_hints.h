#pragma once

#include "form_model.h"

// What a phone's keyboard writes on its Enter key in a field: where Enter takes the user
// from there. Asked of Form1 itself, by pressing Enter in the field on a form that only
// records where the focus goes:
//   "next"  Enter walks on to another field;
//   "go"    Enter walks on to a button, which the next Enter presses;
//   "done"  Enter stays in the field.
// "next" is kept to the walks from field to field: some phones' browsers move the focus
// to the next text field themselves on a key marked "next", without the key reaching
// the page.
const char *enterKeyHint(Control field);
