// Where the value slots of the three pages stand, each with the static caption at its left.
#pragma once

#include <span>

#include "ui/look.h"

namespace vapomet::ui {

struct SlotPlace {
    int slot;                 // index into the page's slot array
    const char* captionName;  // the caption's control name; null for page 3's region slot
    TwipRect captionBox;
    Qt::Alignment captionAlignment;
    bool captionInSansSerif;  // MS Sans Serif instead of the window's Verdana
    TwipRect slotBox;
};

// The places of page 1, 2 or 3, row by row from the top, left to right.
std::span<const SlotPlace> SlotPlaces(int page);

}  // namespace vapomet::ui
