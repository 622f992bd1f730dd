#pragma once

class QWidget;

/// Makes Form1 as stored inside `window`: its caption, fixed client size and font, and
/// the sixteen controls as children named after them ("Text1"), at their places in
/// pixels at 96 dpi (Qt scales them on a scaled screen), with their captions, fonts,
/// colours, accessible names, visibility, tab order and the option set.
void buildStoredForm(QWidget *window);
