// Encoders of the bitmap tool's output files. Every byte is determined by the pixels, so
// running the tool again reproduces the committed files exactly.
#include "image_files.h"

#include <zlib.h>

#include <cstdio>

namespace korvani::bitmaps {

namespace {

void put16(std::vector<std::uint8_t>& out, unsigned v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

void put32be(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(v >> shift));
}

void pngChunk(std::vector<std::uint8_t>& out, const char* type,
              const std::vector<std::uint8_t>& data) {
    put32be(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    const uLong crc = crc32(0L, out.data() + start, static_cast<uInt>(out.size() - start));
    put32be(out, static_cast<std::uint32_t>(crc));
}

// BITMAPINFOHEADER + 32-bit BGRA rows bottom-up + 1-bit AND mask, as an icon directory entry.
std::vector<std::uint8_t> iconDib(const Image& image) {
    std::vector<std::uint8_t> out;
    const int maskStride = ((image.width + 31) / 32) * 4;
    put32(out, 40);
    put32(out, static_cast<std::uint32_t>(image.width));
    put32(out, static_cast<std::uint32_t>(image.height * 2)); // colour rows plus mask rows
    put16(out, 1);
    put16(out, 32);
    put32(out, 0);
    put32(out,
          static_cast<std::uint32_t>(image.width * image.height * 4 + maskStride * image.height));
    for (int i = 0; i < 4; ++i) put32(out, 0);
    for (int y = image.height - 1; y >= 0; --y) {
        for (int x = 0; x < image.width; ++x) {
            const Rgb p = image.at(x, y);
            out.push_back(p.b);
            out.push_back(p.g);
            out.push_back(p.r);
            out.push_back(image.alpha[static_cast<std::size_t>(y) * image.width + x]);
        }
    }
    // The AND mask rows are written in place: a temporary row vector per line trips a false
    // -Wfree-nonheap-object in g++ 12 at -O3.
    for (int y = image.height - 1; y >= 0; --y) {
        const std::size_t rowStart = out.size();
        out.resize(rowStart + static_cast<std::size_t>(maskStride), 0);
        for (int x = 0; x < image.width; ++x)
            if (image.alpha[static_cast<std::size_t>(y) * image.width + x] == 0)
                out[rowStart + x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
    }
    return out;
}

} // namespace

std::vector<std::uint8_t> encodeBmp(const Image& image) {
    const int stride = (image.width * 3 + 3) & ~3;
    const std::uint32_t dataSize = static_cast<std::uint32_t>(stride * image.height);
    std::vector<std::uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    put32(out, 54 + dataSize);
    put32(out, 0);
    put32(out, 54);
    put32(out, 40);
    put32(out, static_cast<std::uint32_t>(image.width));
    put32(out, static_cast<std::uint32_t>(image.height)); // positive: bottom-up
    put16(out, 1);
    put16(out, 24);
    put32(out, 0); // BI_RGB
    put32(out, dataSize);
    put32(out, 2835); // 72 dpi
    put32(out, 2835);
    put32(out, 0);
    put32(out, 0);
    for (int y = image.height - 1; y >= 0; --y) {
        for (int x = 0; x < image.width; ++x) {
            const Rgb p = image.at(x, y);
            out.push_back(p.b);
            out.push_back(p.g);
            out.push_back(p.r);
        }
        for (int pad = image.width * 3; pad < stride; ++pad) out.push_back(0);
    }
    return out;
}

std::vector<std::uint8_t> encodePng(const Image& image, bool withAlpha) {
    const int channels = withAlpha ? 4 : 3;
    std::vector<std::uint8_t> raw;
    raw.reserve(static_cast<std::size_t>(image.height) * (image.width * channels + 1));
    for (int y = 0; y < image.height; ++y) {
        raw.push_back(0); // filter: none
        for (int x = 0; x < image.width; ++x) {
            const Rgb p = image.at(x, y);
            raw.push_back(p.r);
            raw.push_back(p.g);
            raw.push_back(p.b);
            if (withAlpha)
                raw.push_back(image.alpha[static_cast<std::size_t>(y) * image.width + x]);
        }
    }
    uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
    std::vector<std::uint8_t> packed(packedSize);
    if (compress2(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()), 9) !=
        Z_OK)
        return {};
    packed.resize(packedSize);

    std::vector<std::uint8_t> out = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    std::vector<std::uint8_t> header;
    put32be(header, static_cast<std::uint32_t>(image.width));
    put32be(header, static_cast<std::uint32_t>(image.height));
    header.push_back(8);                 // bit depth
    header.push_back(withAlpha ? 6 : 2); // RGBA or RGB
    header.push_back(0);                 // deflate
    header.push_back(0);                 // adaptive filtering
    header.push_back(0);                 // no interlace
    pngChunk(out, "IHDR", header);
    pngChunk(out, "IDAT", packed);
    pngChunk(out, "IEND", {});
    return out;
}

std::vector<std::uint8_t> encodeIco(const std::vector<Image>& images) {
    std::vector<std::vector<std::uint8_t>> bodies;
    for (const Image& image : images)
        bodies.push_back(image.width > 128 ? encodePng(image, true) : iconDib(image));
    std::vector<std::uint8_t> out;
    put16(out, 0);
    put16(out, 1); // icon
    put16(out, static_cast<unsigned>(images.size()));
    std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        out.push_back(static_cast<std::uint8_t>(images[i].width >= 256 ? 0 : images[i].width));
        out.push_back(static_cast<std::uint8_t>(images[i].height >= 256 ? 0 : images[i].height));
        out.push_back(0); // no palette
        out.push_back(0);
        put16(out, 1);  // planes
        put16(out, 32); // bits per pixel
        put32(out, static_cast<std::uint32_t>(bodies[i].size()));
        put32(out, offset);
        offset += static_cast<std::uint32_t>(bodies[i].size());
    }
    for (const auto& body : bodies) out.insert(out.end(), body.begin(), body.end());
    return out;
}

bool writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    if (bytes.empty()) return false;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const bool closed = std::fclose(file) == 0;
    return written && closed;
}

} // namespace korvani::bitmaps
