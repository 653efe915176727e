#pragma once
// Small media files made in memory for tests: PCM WAV sounds and uncompressed AVI videos, which every media
// device plays (the Windows ones without extra codecs).
#include <cmath>
#include <cstdint>
#include <functional>
#include <string>

namespace testmedia {

inline void Put16(std::string& out, uint32_t v)
{
    out += char(v & 0xFF);
    out += char((v >> 8) & 0xFF);
}

inline void Put32(std::string& out, uint32_t v)
{
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

// A chunk: four-character code, length, the bytes, padded to an even length.
inline std::string Chunk(const char* id, const std::string& body)
{
    std::string out(id, 4);
    Put32(out, uint32_t(body.size()));
    out += body;
    if (body.size() % 2)
        out += '\0';
    return out;
}

inline std::string List(const char* type, const std::string& body)
{
    return Chunk("LIST", std::string(type, 4) + body);
}

// A 16-bit mono tone of ms milliseconds.
inline std::string Wav(uint32_t ms, uint32_t rate = 8000, double hz = 440)
{
    const uint32_t samples = uint32_t(uint64_t(rate) * ms / 1000);
    std::string fmt;
    Put16(fmt, 1); // PCM
    Put16(fmt, 1); // mono
    Put32(fmt, rate);
    Put32(fmt, rate * 2); // bytes per second
    Put16(fmt, 2);        // block align
    Put16(fmt, 16);
    std::string data;
    data.reserve(size_t(samples) * 2);
    for (uint32_t i = 0; i < samples; ++i)
        Put16(data, uint16_t(int16_t(8000 * std::sin(2 * 3.141592653589793 * hz * i / rate))));
    const std::string body = "WAVE" + Chunk("fmt ", fmt) + Chunk("data", data);
    std::string out = "RIFF";
    Put32(out, uint32_t(body.size()));
    return out + body;
}

// Colour (0xRRGGBB) of pixel (x, y) of a frame.
using FramePixels = std::function<uint32_t(int frame, int x, int y)>;

// An uncompressed AVI of frames pictures at fps frames per second, with an index; 24 or 32 bits per pixel
// (Wine's video device shows 24-bit frames with their colours turned on this project's test display).
inline std::string Avi(int width, int height, int frames, int fps, const FramePixels& pixel, int bitsPerPixel = 24)
{
    const uint32_t bytesPerPixel = bitsPerPixel == 32 ? 4 : 3;
    const uint32_t stride = (uint32_t(width) * bytesPerPixel + 3) & ~3u;
    const uint32_t frameBytes = stride * uint32_t(height);

    std::string avih;
    Put32(avih, uint32_t(1000000 / fps));
    Put32(avih, frameBytes * uint32_t(fps));
    Put32(avih, 0);
    Put32(avih, 0x10); // has an index
    Put32(avih, uint32_t(frames));
    Put32(avih, 0);
    Put32(avih, 1); // streams
    Put32(avih, frameBytes);
    Put32(avih, uint32_t(width));
    Put32(avih, uint32_t(height));
    for (int i = 0; i < 4; ++i)
        Put32(avih, 0);

    std::string strh = "vidsDIB ";
    Put32(strh, 0); // flags
    Put32(strh, 0); // priority, language
    Put32(strh, 0); // initial frames
    Put32(strh, 1); // scale
    Put32(strh, uint32_t(fps));
    Put32(strh, 0); // start
    Put32(strh, uint32_t(frames));
    Put32(strh, frameBytes);
    Put32(strh, 0xFFFFFFFF); // quality
    Put32(strh, 0);          // sample size
    Put16(strh, 0);
    Put16(strh, 0);
    Put16(strh, uint32_t(width));
    Put16(strh, uint32_t(height));

    std::string strf;
    Put32(strf, 40);
    Put32(strf, uint32_t(width));
    Put32(strf, uint32_t(height)); // bottom-up rows
    Put16(strf, 1);
    Put16(strf, uint32_t(bytesPerPixel * 8));
    Put32(strf, 0); // uncompressed
    Put32(strf, frameBytes);
    for (int i = 0; i < 4; ++i)
        Put32(strf, 0);

    std::string movi, index;
    for (int f = 0; f < frames; ++f) {
        std::string bits(frameBytes, '\0');
        for (int y = 0; y < height; ++y) {
            char* row = &bits[size_t(height - 1 - y) * stride];
            for (int x = 0; x < width; ++x) {
                const uint32_t c = pixel(f, x, y);
                char* p = row + x * bytesPerPixel;
                p[0] = char(c & 0xFF);
                p[1] = char((c >> 8) & 0xFF);
                p[2] = char((c >> 16) & 0xFF);
            }
        }
        index += "00db";
        Put32(index, 0x10); // key frame
        Put32(index, uint32_t(4 + movi.size()));
        Put32(index, frameBytes);
        movi += Chunk("00db", bits);
    }
    const std::string body = "AVI " +
        List("hdrl", Chunk("avih", avih) + List("strl", Chunk("strh", strh) + Chunk("strf", strf))) +
        List("movi", movi) + Chunk("idx1", index);
    std::string out = "RIFF";
    Put32(out, uint32_t(body.size()));
    return out + body;
}

} // namespace testmedia
