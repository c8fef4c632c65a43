// Surface: one GDI bitmap selected into its own memory DC. Every surface of the renderer (back
// buffer, button strip, clock font, tile atlas) is made and released by the recipes here, so the
// order of selection and deletion lives in one place.
#pragma once

#include <windows.h>

#include <cstdint>

namespace korvani {

struct Surface {
    HDC memDC = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ previousBitmap = nullptr;
    std::int32_t width = 0;
    std::int32_t height = 0;
};

// Takes ownership of `bitmap` and selects it into a new memory DC compatible with `referenceDC`;
// width and height are read back from the bitmap. Null only when the record cannot be allocated
// (the bitmap is then deleted, so it never leaks).
Surface* wrapBitmap(HDC referenceDC, HBITMAP bitmap);

// A compatible bitmap of the given size in its own memory DC; null when the record, the DC or
// the bitmap cannot be created (nothing is left behind then).
Surface* createCompatibleSurface(HDC referenceDC, int width, int height);

// Selects the previous bitmap back, deletes the DC, then the bitmap, then frees the record;
// sets the pointer to null. Does nothing for a null pointer.
void releaseSurface(Surface*& surface);

// The header of a 24-bit DIB of width x height pixels whose rows run top-down.
BITMAPINFO topDownInfo(int width, int height);

// Selects `brush` into the surface, PATCOPYs the rectangle and selects the previous brush back.
void fillRect(Surface& surface, HBRUSH brush, int x, int y, int width, int height);

} // namespace korvani
