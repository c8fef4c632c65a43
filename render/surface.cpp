// The creation and release recipes of Surface, and its one drawing primitive.
#include "render/surface.h"

#include <new>

namespace korvani {

Surface* wrapBitmap(HDC referenceDC, HBITMAP bitmap) {
    Surface* surface = new (std::nothrow) Surface;
    if (!surface) {
        if (bitmap) DeleteObject(bitmap);
        return nullptr;
    }
    surface->bitmap = bitmap;
    surface->memDC = CreateCompatibleDC(referenceDC);
    surface->previousBitmap = SelectObject(surface->memDC, bitmap);
    BITMAP info = {};
    if (bitmap && GetObjectA(bitmap, sizeof info, &info) == static_cast<int>(sizeof info)) {
        surface->width = info.bmWidth;
        surface->height = info.bmHeight;
    }
    return surface;
}

Surface* createCompatibleSurface(HDC referenceDC, int width, int height) {
    Surface* surface = new (std::nothrow) Surface;
    if (!surface) return nullptr;
    surface->memDC = CreateCompatibleDC(referenceDC);
    surface->bitmap = CreateCompatibleBitmap(referenceDC, width, height);
    surface->previousBitmap = SelectObject(surface->memDC, surface->bitmap);
    surface->width = width;
    surface->height = height;
    // A surface without its bitmap would draw into the DC's 1 x 1 default; better none at all.
    if (!surface->memDC || !surface->bitmap) releaseSurface(surface);
    return surface;
}

void releaseSurface(Surface*& surface) {
    if (!surface) return;
    if (surface->memDC) {
        SelectObject(surface->memDC, surface->previousBitmap);
        DeleteDC(surface->memDC);
    }
    if (surface->bitmap) DeleteObject(surface->bitmap);
    delete surface;
    surface = nullptr;
}

BITMAPINFO topDownInfo(int width, int height) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

void fillRect(Surface& surface, HBRUSH brush, int x, int y, int width, int height) {
    HGDIOBJ previousBrush = SelectObject(surface.memDC, brush);
    PatBlt(surface.memDC, x, y, width, height, PATCOPY);
    SelectObject(surface.memDC, previousBrush);
}

} // namespace korvani
