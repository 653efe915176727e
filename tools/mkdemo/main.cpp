// mkdemo FOLDER: writes the demo project's media into FOLDER: pictures of several sizes and aspect ratios
// (JPEG, PNG, BMP), a background tile, a short chime and a music loop (WAV). The output depends only on
// this program, so the files can be made again byte for byte.
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;

struct Image {
    int width, height;
    std::vector<uint8_t> rgb;
    Image(int w, int h) : width(w), height(h), rgb(static_cast<size_t>(w) * h * 3) { }
    uint8_t* At(int x, int y) { return &rgb[(static_cast<size_t>(y) * width + x) * 3]; }
};

uint8_t Clamp(double v)
{
    return static_cast<uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v);
}

// A sky from deep blue to orange with a sun and a darker sea below the horizon.
Image Sunrise(int w, int h)
{
    Image img(w, h);
    const double sunX = w * 0.62, sunY = h * 0.55, sunR = h * 0.12;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const double t = static_cast<double>(y) / h;
            double r = 20 + 235 * t, g = 30 + 120 * t, b = 120 - 60 * t;
            const double d = std::hypot(x - sunX, y - sunY);
            if (d < sunR) {
                r = 255, g = 230, b = 120;
            } else {
                const double glow = std::exp(-(d - sunR) / (h * 0.15));
                r += 60 * glow, g += 50 * glow, b += 10 * glow;
            }
            if (y > h * 0.62) {
                const double wave = 0.5 + 0.5 * std::sin(x * 0.08 + y * 0.5);
                r *= 0.35 + 0.1 * wave, g *= 0.45 + 0.1 * wave, b = 90 + 40 * wave;
            }
            uint8_t* p = img.At(x, y);
            p[0] = Clamp(r), p[1] = Clamp(g), p[2] = Clamp(b);
        }
    }
    return img;
}

// Concentric rings, useful to see scaling and aspect ratio at a glance.
Image Rings(int w, int h)
{
    Image img(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const double d = std::hypot(x - w / 2.0, y - h / 2.0);
            const double a = std::atan2(y - h / 2.0, x - w / 2.0);
            uint8_t* p = img.At(x, y);
            p[0] = Clamp(128 + 127 * std::sin(d * 0.09));
            p[1] = Clamp(128 + 127 * std::sin(d * 0.05 + a * 3));
            p[2] = Clamp(128 + 127 * std::cos(d * 0.07));
        }
    }
    return img;
}

// Stripes and a frame: a wide banner whose edges show whether it was cut.
Image Stripes(int w, int h)
{
    Image img(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            uint8_t* p = img.At(x, y);
            const bool frame = x < 8 || y < 8 || x >= w - 8 || y >= h - 8;
            const int band = (x + y / 2) / 40 % 4;
            const uint8_t colours[4][3] = {{230, 60, 60}, {240, 200, 40}, {40, 170, 90}, {50, 110, 220}};
            for (int c = 0; c < 3; ++c)
                p[c] = frame ? 255 : colours[band][c];
        }
    }
    return img;
}

// A small checker tile for tiled backgrounds.
Image Tile(int size)
{
    Image img(size, size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const bool dark = ((x / (size / 4)) + (y / (size / 4))) % 2 == 0;
            uint8_t* p = img.At(x, y);
            p[0] = dark ? 40 : 70, p[1] = dark ? 50 : 90, p[2] = dark ? 70 : 120;
        }
    }
    return img;
}

void PutU32(std::string& out, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out += static_cast<char>(v >> (8 * i));
}

void PutU16(std::string& out, uint16_t v)
{
    out += static_cast<char>(v & 0xff);
    out += static_cast<char>(v >> 8);
}

// 16-bit mono PCM.
bool WriteWav(const std::string& path, const std::vector<int16_t>& samples, uint32_t rate)
{
    std::string out = "RIFF";
    PutU32(out, static_cast<uint32_t>(36 + samples.size() * 2));
    out += "WAVEfmt ";
    PutU32(out, 16);
    PutU16(out, 1);
    PutU16(out, 1);
    PutU32(out, rate);
    PutU32(out, rate * 2);
    PutU16(out, 2);
    PutU16(out, 16);
    out += "data";
    PutU32(out, static_cast<uint32_t>(samples.size() * 2));
    for (int16_t s : samples)
        PutU16(out, static_cast<uint16_t>(s));
    std::ofstream file(path, std::ios::binary);
    file.write(out.data(), static_cast<std::streamsize>(out.size()));
    return static_cast<bool>(file);
}

// Notes with a soft attack and decay; frequencies in Hz, each lasting `seconds`.
std::vector<int16_t> Tones(const std::vector<double>& notes, double seconds, uint32_t rate)
{
    std::vector<int16_t> samples;
    const size_t per = static_cast<size_t>(seconds * rate);
    for (double f : notes) {
        for (size_t i = 0; i < per; ++i) {
            const double t = static_cast<double>(i) / rate;
            const double envelope = std::min(1.0, t * 50) * std::exp(-3.0 * t / seconds);
            const double v = f > 0 ? std::sin(2 * kPi * f * t) + 0.3 * std::sin(4 * kPi * f * t) : 0;
            samples.push_back(static_cast<int16_t>(9000 * envelope * v));
        }
    }
    return samples;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string usage =
        "usage: mkdemo FOLDER\n"
        "Writes the sample show's generated pictures and sounds into FOLDER (made when missing).\n";
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fputs(usage.c_str(), stdout);
        return 0;
    }
    if (argc != 2 || argv[1][0] == '-' || argv[1][0] == '\0') {
        std::fputs(usage.c_str(), stderr);
        return 2;
    }
    std::error_code ec;
    std::filesystem::create_directories(argv[1], ec);
    if (!std::filesystem::is_directory(argv[1], ec)) {
        std::fprintf(stderr, "mkdemo: cannot make the folder %s\n", argv[1]);
        return 1;
    }
    const std::string dir = std::string(argv[1]) + "/";
    bool ok = true;
    Image sunrise = Sunrise(800, 600);
    ok = ok && stbi_write_jpg((dir + "sunrise.jpg").c_str(), sunrise.width, sunrise.height, 3, sunrise.rgb.data(), 85);
    Image rings = Rings(270, 480);
    ok = ok &&
        stbi_write_png((dir + "rings.png").c_str(), rings.width, rings.height, 3, rings.rgb.data(), rings.width * 3);
    Image stripes = Stripes(640, 200);
    ok = ok && stbi_write_bmp((dir + "stripes.bmp").c_str(), stripes.width, stripes.height, 3, stripes.rgb.data());
    Image small = Sunrise(160, 120);
    ok = ok && stbi_write_jpg((dir + "small.jpg").c_str(), small.width, small.height, 3, small.rgb.data(), 90);
    Image tile = Tile(64);
    ok = ok && stbi_write_png((dir + "tile.png").c_str(), tile.width, tile.height, 3, tile.rgb.data(), tile.width * 3);
    const uint32_t rate = 22050;
    ok = ok && WriteWav(dir + "chime.wav", Tones({880, 1320}, 0.35, rate), rate);
    ok = ok &&
        WriteWav(dir + "melody.wav", Tones({523.25, 659.25, 783.99, 659.25, 587.33, 698.46, 880, 0}, 0.4, rate), rate);
    if (!ok) {
        std::fprintf(stderr, "mkdemo: cannot write into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
