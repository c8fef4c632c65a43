// Reading the band's bitmaps out of the resources: a bitmap resource is a packed DIB, the
// header followed by bottom-up rows (top-down when its height is negative).
#include "win/band_bitmaps.h"

#include "win/resources/resource.h"

#include <cstdlib>
#include <cstring>

namespace korvani {

Picture loadBitmapPicture(HINSTANCE instance, int resource) {
    HRSRC found =
        FindResourceW(instance, MAKEINTRESOURCEW(resource), reinterpret_cast<LPCWSTR>(RT_BITMAP));
    HGLOBAL loaded = found ? LoadResource(instance, found) : nullptr;
    const auto* header =
        loaded ? static_cast<const BITMAPINFOHEADER*>(LockResource(loaded)) : nullptr;
    const DWORD size = found ? SizeofResource(instance, found) : 0;
    if (!header || size < sizeof(BITMAPINFOHEADER) || header->biBitCount != 24 ||
        header->biCompression != BI_RGB || header->biWidth <= 0 || header->biHeight == 0)
        return {};
    const int width = header->biWidth;
    const int height = std::abs(header->biHeight);
    Picture picture(width, height, BgrColour{});
    const std::size_t rows = static_cast<std::size_t>(picture.stride) * height;
    if (size < header->biSize + rows) return {};
    const auto* bits = reinterpret_cast<const std::uint8_t*>(header) + header->biSize;
    for (int y = 0; y < height; ++y) {
        const int from = header->biHeight > 0 ? height - 1 - y : y;
        std::memcpy(picture.pixel(0, y), bits + static_cast<std::size_t>(from) * picture.stride,
                    picture.stride);
    }
    return picture;
}

void loadBandBitmaps(HINSTANCE instance, BoardRenderer& renderer) {
    setBandBitmaps(renderer, loadBitmapPicture(instance, IDB_BUTTON_STRIP),
                   loadBitmapPicture(instance, IDB_TIMER_FONT));
}

} // namespace korvani
