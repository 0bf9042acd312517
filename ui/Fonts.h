#pragma once

// The forms are designed in "MS Sans Serif", which Linux machines do not have.
// Maps it to an installed sans font (Liberation Sans, else DejaVu Sans) so text
// measures and looks the same everywhere. Called once at start-up (and by tests)
// before any window is built.
void installFontSubstitutions();
