#include "model/Marks.h"

#include <numeric>

namespace vemo {

namespace {

std::int32_t patternMark(std::int32_t offset, std::int32_t smallBlock, std::int32_t largeBlock) {
    std::int32_t mark = 0;
    if (offset % smallBlock == 0) mark += MarkSmallStart;
    if (offset % (smallBlock * largeBlock) == 0) mark += MarkLargeStart - MarkSmallStart;
    return mark;
}

} // namespace

void computeMarks(Melody& melody) {
    melody.markTotal = 0;
    for (std::int32_t c = 0; c <= melody.lastColumn; ++c) {
        melody.marks[c] = patternMark(c, melody.smallBlock, melody.largeBlock);
        melody.markTotal += melody.marks[c];
    }
}

void repatternTail(Melody& melody) {
    std::int32_t tailStart = 0;
    for (std::int32_t c = melody.lastColumn; c >= 0; --c) {
        if (melody.marks[c] == MarkLargeStart) {
            tailStart = c;
            break;
        }
    }
    melody.markTotal = 0;
    for (std::int32_t c = 0; c <= melody.lastColumn; ++c) {
        if (c >= tailStart)
            melody.marks[c] = patternMark(c - tailStart, melody.smallBlock, melody.largeBlock);
        melody.markTotal += melody.marks[c];
    }
}

std::int32_t sumOfMarks(const ColumnMarks& marks) {
    return std::accumulate(marks.begin(), marks.end(), std::int32_t{0});
}

} // namespace vemo
