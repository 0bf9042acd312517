#pragma once

#include <QFont>

// The forms are designed in "MS Sans Serif", which Linux machines do not have.
// Maps it to an installed sans font (Liberation Sans, else DejaVu Sans) so text
// measures and looks the same everywhere. Called once at start-up (and by tests)
// before any window is built.
void installFontSubstitutions();

// The forms' font, "MS Sans Serif" at a character height in pixels (11 is the
// forms' 8 point).
QFont formFont(int pixelSize = 11, bool bold = false);
