// Test helper for the end-to-end tests: "high_contrast on" or "high_contrast off" switches
// Windows' high-contrast mode (SPI_SETHIGHCONTRAST, telling every window), then prints whether it
// is on and the system colours the game is to draw in, one "NAME R G B" a line: window,
// windowtext, highlight, graytext, hotlight.
#include <windows.h>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    HIGHCONTRASTW contrast = {};
    contrast.cbSize = sizeof contrast;
    SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0);
    const bool on = std::strcmp(argv[1], "on") == 0;
    if (on)
        contrast.dwFlags |= HCF_HIGHCONTRASTON;
    else
        contrast.dwFlags &= ~static_cast<DWORD>(HCF_HIGHCONTRASTON);
    contrast.lpszDefaultScheme = nullptr;
    if (!SystemParametersInfoW(SPI_SETHIGHCONTRAST, sizeof contrast, &contrast,
                               SPIF_SENDCHANGE | SPIF_UPDATEINIFILE))
        return 3;
    HIGHCONTRASTW now = {};
    now.cbSize = sizeof now;
    SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof now, &now, 0);
    std::printf("on %d\n", (now.dwFlags & HCF_HIGHCONTRASTON) != 0 ? 1 : 0);
    const struct {
        const char* name;
        int index;
    } colours[] = {{"window", COLOR_WINDOW},
                   {"windowtext", COLOR_WINDOWTEXT},
                   {"highlight", COLOR_HIGHLIGHT},
                   {"graytext", COLOR_GRAYTEXT},
                   {"hotlight", COLOR_HOTLIGHT}};
    for (const auto& colour : colours) {
        const COLORREF value = GetSysColor(colour.index);
        std::printf("%s %d %d %d\n", colour.name, GetRValue(value), GetGValue(value),
                    GetBValue(value));
    }
    return 0;
}
