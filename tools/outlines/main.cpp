// korvani-outlines: builds the glyph outlines from their descriptions and writes them as
// render/glyph_outlines_data.cpp (or to the path given).
#include "tools/outlines/outline_builder.h"
#include "tools/outlines/outline_glyphs.h"

#include <cstdio>
#include <cstring>
#include <string>

int main(int argc, char** argv) {
    const bool draft = argc == 3 && std::strcmp(argv[1], "--draft") == 0;
    const char* path = argv[argc - 1];
    if ((argc != 2 && !draft) || path[0] == '\0' || path[0] == '-') {
        std::fputs("usage: korvani-outlines [--draft] OUT.cpp   (normally "
                   "render/glyph_outlines_data.cpp)\n",
                   stderr);
        return 2;
    }
    std::string text;
    if (!korvani::outlines::generateOutlineSource(text, true, draft)) return 1;
    std::FILE* f = std::fopen(path, "wb");
    if (!f) {
        std::fprintf(stderr, "korvani-outlines: cannot create %s\n", path);
        return 1;
    }
    const bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size();
    if (std::fclose(f) != 0 || !ok) {
        std::fprintf(stderr, "korvani-outlines: cannot write %s\n", path);
        return 1;
    }
    return 0;
}
