#include "app/BuiltInIcons.h"

#include <array>
#include <cstdint>

namespace vemo {

namespace {

constexpr std::int32_t IconSize = 16;
using PixelArt = std::array<std::string_view, IconSize>;

// The colours of the Data icons: a dark outline, paper, green for actions, the grid's blue.
Pixel colourOf(char code) {
    switch (code) {
    case 'o':
        return rgb(0x1A, 0x22, 0x5E);
    case 'w':
        return rgb(0xFA, 0xFA, 0xF2);
    case 'g':
        return rgb(0x3A, 0xC4, 0x4E);
    case 'b':
        return rgb(0x22, 0x33, 0xAA);
    default:
        return 0; // transparent
    }
}

constexpr PixelArt UndoArt{
    "................", "................", "....oo..........", "...ogo..........",
    "..oggoooooooo...", ".ogggggggggggo..", "..oggooooooggo..", "...ogo.....oggo.",
    "....oo......ogo.", "............ogo.", "...........oggo.", "......oooooggo..",
    "......ogggggo...", "......ooooooo...", "................", "................"};

constexpr PixelArt ExportArt{
    "oooooooooo......", "owwwwwwwwo......", "owoooowwwo......", "owwwwwwwwo......",
    "owwwwwwwwo.oo...", "owwwwwwwwo.ogo..", "owwoooooooooggo.", "owwogggggggggggo",
    "owwoooooooooggo.", "owwwwwwwwo.ogo..", "owwwwwwwwo.oo...", "owoooowwwo......",
    "owwwwwwwwo......", "owwwwwwwwo......", "oooooooooo......", "................"};

// The playback line over the grid, and the arrow of the view moving with it.
constexpr PixelArt FollowArt{
    "................", "................", "oooooooooooooooo", "obbbbbwbbbbbbbbo",
    "obbbbbwbbobbbbbo", "obbbbbwbboggobbo", "obbbbbwbbogggobo", "obbbbbwbboggggoo",
    "obbbbbwbbogggobo", "obbbbbwbboggobbo", "obbbbbwbbobbbbbo", "obbbbbwbbbbbbbbo",
    "oooooooooooooooo", "................", "................", "................"};

// Piano keys: white keys with black ones between them, and the green edit cursor over them.
constexpr PixelArt KeysArt{
    "................", "................", "oooooooooooooooo", "owwoowoowwoowoow",
    "owwoowoowwoowoow", "owwoowoowwoowoow", "owwoowoowwoowoow", "owwwowwwowwwowwo",
    "owwwowwwowwwowwo", "owwwowwwowwwowwo", "owwwowwwowwwowwo", "oooooooooooooooo",
    "................", ".gggggggggggggg.", "................", "................"};

Image picture(const PixelArt& art, bool isMirrored) {
    Image image(IconSize, IconSize, 0);
    for (std::int32_t y = 0; y < IconSize; ++y)
        for (std::int32_t x = 0; x < IconSize; ++x) {
            const std::int32_t from = isMirrored ? IconSize - 1 - x : x;
            image.setPixel(
                x, y, colourOf(art[static_cast<std::size_t>(y)][static_cast<std::size_t>(from)]));
        }
    return image;
}

} // namespace

Image builtInIcon(std::string_view fileName) {
    if (fileName == "undo.ico") return picture(UndoArt, false);
    if (fileName == "redo.ico") return picture(UndoArt, true);
    if (fileName == "export.ico") return picture(ExportArt, false);
    if (fileName == "follow.ico") return picture(FollowArt, false);
    if (fileName == "keys.ico") return picture(KeysArt, false);
    return {};
}

} // namespace vemo
