#pragma once

#include "platform/Image.h"

namespace vemo {

// The five cell pictures read from Data/ at start-up. img01's size sets the cell spacing; the
// two bitmaps of notes held on from the left are 4 pixels wider and drawn that much further left.
struct CellBitmaps {
    Image img01;   // empty cell
    Image img02;   // note without joins
    Image img02L;  // note held on from the left
    Image img02LR; // note held on from the left and into the right
    Image img02R;  // note held on into the right
};

} // namespace vemo
