#pragma once

#include <QImage>

namespace vemo::art {

// Empty cell and note pictures. Cells are drawn 12 x 8 apart, so the 11 x 7 pictures leave a
// one-pixel seam; the held-from-left ones are 4 pixels wider and start left of their cell so a
// tied note bridges the seam and reads as one bar.
QImage emptyCell();
QImage note();
QImage noteHeldRight();
QImage noteHeldLeft();
QImage noteHeldBoth();

} // namespace vemo::art
