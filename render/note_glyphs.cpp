// The note digits: their place in the cell, their coverage squares cut from the glyphs'
// coverage at a note's size, and the blend of those squares over an empty cell's tile.
#include "render/note_glyphs.h"

#include "render/glyph_outlines.h"
#include "render/tile_atlas.h"

#include <cstring>

namespace korvani {

const BgrColour ColourNote = {0xAA, 0x7F, 0x6A};

namespace {

// Notes keep clear of the cell's border by about an eighteenth of the cell, so that two notes of
// neighbouring cells never seem to belong together.
int interiorMargin(int cellSize) {
    return cellSize / 18;
}

// The outlines fill their square with the digits at about three fifths of its height; scaled
// to a quarter more than a note's square, a note stands about four fifths of its third high.
// The difference is kept even, so the digit's square is cut from the middle of the rasterised
// one in whole pixels.
int noteOutlineSize(int boxSize) {
    return boxSize + 2 * ((boxSize + 4) / 8);
}

// Coverage (0..64) of a boxSize square cut from the middle of a glyph's outlineSize map,
// written once per channel.
void cutSquare(const CoverageMap& map, int boxSize, std::uint8_t* coverage, std::int16_t* rowFirst,
               std::int16_t* rowLast) {
    const int offset = (map.width - boxSize) / 2;
    for (int py = 0; py < boxSize; ++py) {
        std::uint8_t* out = coverage + static_cast<std::size_t>(py) * 3 * boxSize;
        int first = boxSize;
        int last = -1;
        for (int px = 0; px < boxSize; ++px) {
            const std::uint8_t c = map.at(px + offset, py + offset);
            std::memset(out + 3 * px, c, 3);
            if (c != 0) {
                if (first > px) first = px;
                last = px;
            }
        }
        rowFirst[py] = static_cast<std::int16_t>(first);
        rowLast[py] = static_cast<std::int16_t>(last);
    }
}

} // namespace

NoteGlyphs makeNoteGlyphs(GlyphCoverage& coverage, int cellSize, const Palette& palette) {
    NoteGlyphs glyphs;
    if (cellSize < 1) return glyphs;
    glyphs.cellSize = cellSize;
    const int margin = interiorMargin(cellSize);
    const int interior = cellSize - 2 * margin;
    for (int j = 0; j < 4; ++j) glyphs.thirdEdge[j] = margin + j * interior / 3;
    const int box = interior / 3;
    glyphs.boxSize = box;
    glyphs.outlineSize = noteOutlineSize(box);

    const std::size_t area = static_cast<std::size_t>(box) * box;
    glyphs.coverage.resize(27 * area);
    glyphs.rowFirst.resize(9 * static_cast<std::size_t>(box));
    glyphs.rowLast.resize(9 * static_cast<std::size_t>(box));
    glyphs.noteRow.resize(3 * static_cast<std::size_t>(box));
    glyphs.matchRow.resize(3 * static_cast<std::size_t>(box));
    for (int px = 0; px < box; ++px) {
        std::memcpy(glyphs.noteRow.data() + 3 * px, &palette.noteInk, 3);
        std::memcpy(glyphs.matchRow.data() + 3 * px, &palette.matchFrame, 3);
    }
    glyphs.paper = palette.cellPaper;
    glyphs.hover = palette.cellHover;
    for (int d = 1; d <= 9; ++d)
        cutSquare(coverage.of(digitGlyph(d), glyphs.outlineSize), box,
                  glyphs.coverage.data() + (d - 1) * 3 * area,
                  glyphs.rowFirst.data() + (d - 1) * box, glyphs.rowLast.data() + (d - 1) * box);
    return glyphs;
}

void paintNotes(const NoteGlyphs& glyphs, DigitMask notes, std::uint8_t selectedDigit,
                std::uint8_t* tile, int stride) {
    const int box = glyphs.boxSize;
    const std::size_t area = static_cast<std::size_t>(box) * box;
    for (int d = 1; d <= 9; ++d) {
        if ((notes & digitMaskTable[d]) == 0) continue;
        const std::uint8_t* colour =
            d == selectedDigit ? glyphs.matchRow.data() : glyphs.noteRow.data();
        const std::uint8_t* coverage = glyphs.coverage.data() + (d - 1) * 3 * area;
        const std::int16_t* rowFirst = glyphs.rowFirst.data() + (d - 1) * box;
        const std::int16_t* rowLast = glyphs.rowLast.data() + (d - 1) * box;
        std::uint8_t* square = tile +
                               static_cast<std::size_t>(glyphs.thirdEdge[(d - 1) / 3]) * stride +
                               3 * glyphs.thirdEdge[(d - 1) % 3];
        for (int py = 0; py < box; ++py) {
            // One run of bytes per row, channels side by side as in the tile, which the
            // compiler can blend many bytes at a time.
            const int first = 3 * rowFirst[py];
            const int end = 3 * (rowLast[py] + 1);
            const std::uint8_t* levels = coverage + static_cast<std::size_t>(py) * 3 * box;
            std::uint8_t* row = square + static_cast<std::size_t>(py) * stride;
            for (int i = first; i < end; ++i) {
                const unsigned c = levels[i];
                row[i] = static_cast<std::uint8_t>((row[i] * (64 - c) + colour[i] * c) >> 6);
            }
        }
    }
}

void paintNoteTile(const NoteGlyphs& glyphs, DigitMask notes, std::uint8_t selectedDigit,
                   bool hovered, std::uint8_t* tile, int stride) {
    // Tiles 72 and 73 are plain fills of their ground colour.
    const BgrColour ground = hovered ? glyphs.hover : glyphs.paper;
    const int cellSize = glyphs.cellSize;
    for (int px = 0; px < cellSize; ++px) std::memcpy(tile + 3 * px, &ground, 3);
    for (int py = 1; py < cellSize; ++py)
        std::memcpy(tile + static_cast<std::size_t>(py) * stride, tile,
                    static_cast<std::size_t>(cellSize) * 3);
    paintNotes(glyphs, notes, selectedDigit, tile, stride);
}

} // namespace korvani
