#pragma once

#include "model/EditorState.h"
#include "platform/Image.h"

#include <string>

namespace vemo {

// What the view shows: the off-screen images of the three image controls, each of the size its
// area asks for, and the text of the label left of the grid.
struct ViewImages {
    Image ver;  // the horizontal scroll bar above the grid
    Image hor;  // the vertical scroll bar beside the grid
    Image main; // the grid
    std::string readoutText;
    std::string entryText; // the key entry's octave and step below it
};

// An image of the size in screen pixels that its area asks for.
inline void fitToArea(Image& image, const ImageArea& area) {
    image.resize(area.imageWidth, area.imageHeight);
}

} // namespace vemo
