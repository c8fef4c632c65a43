// korvani-atlas: argument handling, the BMP encoding of the strip and the outline statistics.
#include "tools/atlas/atlas_cli.h"

#include "render/glyph_coverage.h"
#include "render/glyph_outlines.h"
#include "render/note_glyphs.h"
#include "render/tile_atlas.h"

#include <cstdlib>
#include <cstring>

namespace korvani {

namespace {

void putLittle(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void printUsage(std::FILE* err) {
    std::fputs("usage: korvani-atlas CELLSIZE OUT.bmp   (CELLSIZE 1..512)\n"
               "       korvani-atlas --notes CELLSIZE OUT.bmp\n"
               "       korvani-atlas --outline-stats\n",
               err);
}

// A decimal cell size 1..512 with nothing else around it; 0 when the text is not one.
int parseCellSize(const char* text) {
    if (*text == '\0' || std::strlen(text) > 3) return 0;
    int value = 0;
    for (const char* p = text; *p; ++p) {
        if (*p < '0' || *p > '9') return 0;
        value = value * 10 + (*p - '0');
    }
    return value <= atlasToolMaxCellSize ? value : 0;
}

bool writeFile(const std::vector<std::uint8_t>& file, const char* path, std::FILE* err) {
    std::FILE* f = std::fopen(path, "wb");
    if (!f) {
        std::fprintf(err, "korvani-atlas: cannot create %s\n", path);
        return false;
    }
    const bool written = std::fwrite(file.data(), 1, file.size(), f) == file.size();
    const bool closed = std::fclose(f) == 0;
    if (!written || !closed) {
        std::fprintf(err, "korvani-atlas: cannot write %s\n", path);
        return false;
    }
    return true;
}

int writeStrip(int cellSize, const char* path, std::FILE* err) {
    const int stride = tileAtlasStride(cellSize);
    // Zeroed, so the bytes behind the last tile of a row, which no tile owns, are written as 0.
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(stride) * cellSize, 0);
    GlyphCoverage coverage;
    buildTiles(coverage, cellSize, stride, pixels.data());
    return writeFile(encodeStripBmp(pixels.data(), cellSize, stride), path, err) ? 0 : 1;
}

// The cells of the notes preview, left to right, as on the board with 2-pixel gaps: a given 5
// and a placed 3 to compare with, all nine notes, all nine with 5 selected, notes 1 4 7 9 with
// 4 selected under the mouse, and notes 2 and 6.
struct PreviewCell {
    int tile;
    DigitMask notes;
    std::uint8_t selected;
};
constexpr PreviewCell previewCells[] = {
    {4, 0, NoDigitSelected}, {11, 0, NoDigitSelected}, {72, 0x1FF, NoDigitSelected},
    {72, 0x1FF, 5},          {73, 0x149, 4},           {72, 0x022, NoDigitSelected},
};
constexpr int previewGap = 2;

int writeNotesPreview(int cellSize, const char* path, std::FILE* err) {
    const int count = static_cast<int>(sizeof previewCells / sizeof previewCells[0]);
    const int width = count * cellSize + (count + 1) * previewGap;
    const int height = cellSize + 2 * previewGap;
    const int stride = (3 * width + 3) & ~3;
    const int stripStride = tileAtlasStride(cellSize);
    std::vector<std::uint8_t> strip(static_cast<std::size_t>(stripStride) * cellSize);
    std::vector<std::uint8_t> image(static_cast<std::size_t>(stride) * height, 0x80);
    GlyphCoverage coverage;
    buildTiles(coverage, cellSize, stripStride, strip.data());
    const NoteGlyphs notes = makeNoteGlyphs(coverage, cellSize);
    for (int i = 0; i < count; ++i) {
        const PreviewCell& cell = previewCells[i];
        std::uint8_t* tile = image.data() + static_cast<std::size_t>(previewGap) * stride +
                             3 * (previewGap + i * (cellSize + previewGap));
        for (int y = 0; y < cellSize; ++y)
            std::memcpy(tile + static_cast<std::size_t>(y) * stride,
                        strip.data() + static_cast<std::size_t>(y) * stripStride +
                            3 * cellSize * cell.tile,
                        3 * static_cast<std::size_t>(cellSize));
        paintNotes(notes, cell.notes, cell.selected, tile, stride);
    }
    return writeFile(encodeBmp(image.data(), width, height, stride), path, err) ? 0 : 1;
}

} // namespace

std::vector<std::uint8_t> encodeStripBmp(const std::uint8_t* pixels, int cellSize, int stride) {
    return encodeBmp(pixels, tileCount * cellSize, cellSize, stride);
}

std::vector<std::uint8_t> encodeBmp(const std::uint8_t* pixels, int width, int height, int stride) {
    const std::uint32_t imageBytes = static_cast<std::uint32_t>(stride) * height;
    std::vector<std::uint8_t> out;
    out.reserve(54 + imageBytes);
    out.push_back('B');
    out.push_back('M');
    putLittle(out, 54 + imageBytes, 4); // file size
    putLittle(out, 0, 4);               // reserved
    putLittle(out, 54, 4);              // offset of the pixels
    putLittle(out, 40, 4);              // BITMAPINFOHEADER
    putLittle(out, static_cast<std::uint32_t>(width), 4);
    putLittle(out, static_cast<std::uint32_t>(height), 4); // positive: bottom row first
    putLittle(out, 1, 2);                                  // planes
    putLittle(out, 24, 2);                                 // bits per pixel
    putLittle(out, 0, 4);                                  // BI_RGB
    putLittle(out, imageBytes, 4);
    putLittle(out, 2835, 4); // 72 dpi
    putLittle(out, 2835, 4);
    putLittle(out, 0, 4);
    putLittle(out, 0, 4);
    // The stride is already the BMP row size: 3 bytes a pixel, padded to 4.
    for (int y = height - 1; y >= 0; --y) {
        const std::uint8_t* row = pixels + static_cast<std::size_t>(y) * stride;
        out.insert(out.end(), row, row + stride);
    }
    return out;
}

int glyphMaxCrossings(int glyph) {
    int most = 0;
    for (int e = glyphFirstEdge[glyph]; e < glyphFirstEdge[glyph + 1]; ++e) {
        // The count only grows where an edge begins, so those scanlines are enough.
        const std::int32_t y = edgeTop[e];
        int n = 0;
        for (int i = glyphFirstEdge[glyph]; i < glyphFirstEdge[glyph + 1]; ++i)
            if (edgeTop[i] <= y && y < edgeBottom[i]) ++n;
        if (n > most) most = n;
    }
    return most;
}

int runAtlasTool(int argc, const char* const* argv, std::FILE* out, std::FILE* err) {
    if (argc == 2 && std::strcmp(argv[1], "--outline-stats") == 0) {
        for (int g = 0; g < glyphCount; ++g)
            std::fprintf(out, "glyph %d edges %d maxcrossings %d\n", g,
                         glyphFirstEdge[g + 1] - glyphFirstEdge[g], glyphMaxCrossings(g));
        return 0;
    }
    if (argc == 4 && std::strcmp(argv[1], "--notes") == 0) {
        const int cellSize = parseCellSize(argv[2]);
        if (cellSize == 0 || argv[3][0] == '\0') {
            printUsage(err);
            return 2;
        }
        return writeNotesPreview(cellSize, argv[3], err);
    }
    if (argc != 3) {
        printUsage(err);
        return 2;
    }
    const int cellSize = parseCellSize(argv[1]);
    if (cellSize == 0 || argv[2][0] == '\0') {
        printUsage(err);
        return 2;
    }
    return writeStrip(cellSize, argv[2], err);
}

} // namespace korvani
