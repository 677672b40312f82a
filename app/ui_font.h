#pragma once

namespace calvor {

// One font for Hangul and digits alike, so that no text mixes fonts.
void UseProgramFont();

}  // namespace calvor
