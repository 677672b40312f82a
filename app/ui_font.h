#pragma once
#include <QFont>

namespace calvor {

// One font for Hangul and digits alike, so that no text mixes fonts.
void UseProgramFont();

// The program's font at a pixel size.
QFont PixelFont(int px, bool bold = false);

}  // namespace calvor
