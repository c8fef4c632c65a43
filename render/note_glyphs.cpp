// The note digits: their place in the cell, their rasterisation at a note's size into coverage
// squares, and the blend of those squares over an empty cell's tile.
#include "render/note_glyphs.h"

#include "render/glyph_outlines.h"
#include "render/tile_atlas.h"

#include <bit>
#include <cstdlib>
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

// Coverage (0..64) of a boxSize square cut from the middle of a glyph rasterised into a mask of
// outlineSize x 8 subsample rows of outlineSize bytes each, written once per channel.
void countCoverage(const std::uint8_t* mask, int outlineSize, int boxSize, std::uint8_t* coverage,
                   std::int16_t* rowFirst, std::int16_t* rowLast) {
    const int offset = (outlineSize - boxSize) / 2;
    for (int py = 0; py < boxSize; ++py) {
        const std::uint8_t* rows =
            mask + static_cast<std::size_t>(8 * (py + offset)) * outlineSize + offset;
        std::uint8_t* out = coverage + static_cast<std::size_t>(py) * 3 * boxSize;
        int first = boxSize;
        int last = -1;
        for (int px = 0; px < boxSize; ++px) {
            int c = 0;
            for (int k = 0; k < 8; ++k)
                c += std::popcount(rows[static_cast<std::size_t>(k) * outlineSize + px]);
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

NoteGlyphs* createNoteGlyphs(GlyphRasterizer& rasterizer, int cellSize) {
    if (cellSize < 1) return nullptr;
    auto* glyphs = static_cast<NoteGlyphs*>(std::calloc(1, sizeof(NoteGlyphs)));
    if (glyphs == nullptr) return nullptr;
    glyphs->cellSize = cellSize;
    const int margin = interiorMargin(cellSize);
    const int interior = cellSize - 2 * margin;
    for (int j = 0; j < 4; ++j) glyphs->thirdEdge[j] = margin + j * interior / 3;
    const int box = interior / 3;
    const int outline = noteOutlineSize(box);
    glyphs->boxSize = box;
    glyphs->outlineSize = outline;

    const std::size_t area = static_cast<std::size_t>(box) * box;
    const std::size_t maskBytes = static_cast<std::size_t>(outline) * outline * 8;
    glyphs->coverage = static_cast<std::uint8_t*>(std::malloc(27 * area + 1));
    glyphs->noteRow = static_cast<std::uint8_t*>(std::malloc(3 * box + 1));
    glyphs->matchRow = static_cast<std::uint8_t*>(std::malloc(3 * box + 1));
    glyphs->rowFirst = static_cast<std::int16_t*>(std::malloc(9 * box * sizeof(std::int16_t) + 2));
    glyphs->rowLast = static_cast<std::int16_t*>(std::malloc(9 * box * sizeof(std::int16_t) + 2));
    auto* mask = static_cast<std::uint8_t*>(std::malloc(maskBytes + 1));
    if (glyphs->coverage == nullptr || glyphs->rowFirst == nullptr || glyphs->rowLast == nullptr ||
        glyphs->noteRow == nullptr || glyphs->matchRow == nullptr || mask == nullptr) {
        std::free(mask);
        destroyNoteGlyphs(glyphs);
        return nullptr;
    }
    for (int px = 0; px < box; ++px) {
        std::memcpy(glyphs->noteRow + 3 * px, &ColourNote, 3);
        std::memcpy(glyphs->matchRow + 3 * px, &ColourMatch, 3);
    }
    scaleOutlines(rasterizer, outline);
    for (int d = 1; d <= 9; ++d) {
        std::memset(mask, 0, maskBytes);
        rasterizeGlyph(rasterizer, digitGlyph(d), 8 * outline, 8 * outline, outline, mask);
        countCoverage(mask, outline, box, glyphs->coverage + (d - 1) * 3 * area,
                      glyphs->rowFirst + (d - 1) * box, glyphs->rowLast + (d - 1) * box);
    }
    std::free(mask);
    return glyphs;
}

void destroyNoteGlyphs(NoteGlyphs* glyphs) {
    if (glyphs == nullptr) return;
    std::free(glyphs->coverage);
    std::free(glyphs->rowFirst);
    std::free(glyphs->rowLast);
    std::free(glyphs->noteRow);
    std::free(glyphs->matchRow);
    std::free(glyphs);
}

void paintNotes(const NoteGlyphs& glyphs, DigitMask notes, std::uint8_t selectedDigit,
                std::uint8_t* tile, int stride) {
    const int box = glyphs.boxSize;
    const std::size_t area = static_cast<std::size_t>(box) * box;
    for (int d = 1; d <= 9; ++d) {
        if ((notes & digitMaskTable[d]) == 0) continue;
        const std::uint8_t* colour = d == selectedDigit ? glyphs.matchRow : glyphs.noteRow;
        const std::uint8_t* coverage = glyphs.coverage + (d - 1) * 3 * area;
        const std::int16_t* rowFirst = glyphs.rowFirst + (d - 1) * box;
        const std::int16_t* rowLast = glyphs.rowLast + (d - 1) * box;
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
    const BgrColour ground = *tileGroundColour[hovered ? 73 : 72];
    const int cellSize = glyphs.cellSize;
    for (int px = 0; px < cellSize; ++px) std::memcpy(tile + 3 * px, &ground, 3);
    for (int py = 1; py < cellSize; ++py)
        std::memcpy(tile + static_cast<std::size_t>(py) * stride, tile,
                    static_cast<std::size_t>(cellSize) * 3);
    paintNotes(glyphs, notes, selectedDigit, tile, stride);
}

} // namespace korvani
