#include "sound/ToneList.h"

#include <algorithm>

namespace vemo {

std::int32_t rowFrequency(const Melody& melody, const Pitch& pitch, std::int32_t row) {
    return static_cast<std::int32_t>(pitch.pitchTable[melody.lastRow - row]);
}

MelodyRange melodyRange(const Melody& melody, const Selection& selection) {
    MelodyRange range;
    std::int32_t first = 0;
    std::int32_t last = melody.lastColumn;
    if (selection.selectionActive != 0) {
        first = std::max(selection.selectionFirst, 0);
        last = std::min(selection.selectionLast, melody.lastColumn);
    }
    for (std::int32_t c = first; c <= last; ++c) {
        if (melody.grid.noteRow(c) < 0) continue;
        if (range.firstNoteColumn == -1) range.firstNoteColumn = c;
        range.lastNoteColumn = c;
    }
    return range;
}

ToneList buildToneList(const Melody& melody, const Pitch& pitch, MelodyRange range) {
    ToneList tones;
    if (range.firstNoteColumn < 0) return tones;
    for (std::int32_t c = range.firstNoteColumn; c <= range.lastNoteColumn; ++c) {
        const std::int32_t row = melody.grid.noteRow(c);
        if (row < 0) {
            tones.push_back({0, 1, melody.columnDuration});
            continue;
        }
        const Cell& cell = melody.grid.at(c, row);
        const bool isTied = cell.joinLeft != 0 && c >= 1 && melody.grid.at(c - 1, row).hasNote != 0 &&
                            melody.grid.at(c - 1, row).joinRight != 0;
        if (!isTied) {
            tones.push_back({rowFrequency(melody, pitch, row), 0, melody.columnDuration});
            continue;
        }
        // A range that starts inside a tied chain opens its first tone here.
        if (tones.empty()) tones.push_back({rowFrequency(melody, pitch, row), 0, 0});
        tones.back().duration += melody.columnDuration;
        tones.back().isRest = 0;
    }
    return tones;
}

} // namespace vemo
