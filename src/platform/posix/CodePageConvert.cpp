#include "platform/CodePage.h"

#include <cerrno>
#include <iconv.h>

namespace {

// iconv's names for a Windows code page; the first one the system knows is used.
std::string IconvName(int codePage)
{
    switch (codePage) {
    case 10000: return "MACINTOSH";
    case 936: return "GBK";
    case 949: return "CP949";
    case 950: return "BIG5";
    case 1361: return "JOHAB";
    case 874: return "CP874";
    default: return "CP" + std::to_string(codePage);
    }
}

class Converter {
public:
    Converter(const std::string& to, const std::string& from) : cd_(iconv_open(to.c_str(), from.c_str())) { }
    ~Converter()
    {
        if (cd_ != reinterpret_cast<iconv_t>(-1))
            iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts all of in; on failure returns false with the offset of the input that stopped it.
    bool Run(std::string_view in, std::string& out, size_t& failedAt)
    {
        if (cd_ == reinterpret_cast<iconv_t>(-1)) {
            failedAt = 0;
            return false;
        }
        out.clear();
        char* inPtr = const_cast<char*>(in.data());
        size_t inLeft = in.size();
        char buffer[1024];
        while (inLeft > 0) {
            char* outPtr = buffer;
            size_t outLeft = sizeof buffer;
            const size_t result = iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft);
            out.append(buffer, static_cast<size_t>(outPtr - buffer));
            if (result == static_cast<size_t>(-1) && errno != E2BIG) {
                failedAt = in.size() - inLeft;
                return false;
            }
            // Characters iconv replaced instead of refusing count as unrepresentable too.
            if (result != static_cast<size_t>(-1) && result > 0) {
                failedAt = in.size() - inLeft;
                return false;
            }
        }
        char* outPtr = buffer;
        size_t outLeft = sizeof buffer;
        iconv(cd_, nullptr, nullptr, &outPtr, &outLeft);
        out.append(buffer, static_cast<size_t>(outPtr - buffer));
        return true;
    }

private:
    iconv_t cd_;
};

} // namespace

std::optional<std::string> Utf8ToCodePage(std::string_view utf8, int codePage, std::string* offending)
{
    std::string out;
    size_t failedAt = 0;
    Converter converter(IconvName(codePage), "UTF-8");
    if (converter.Run(utf8, out, failedAt))
        return out;
    if (offending) {
        // The characters converted so far tell where the offending one starts.
        *offending = std::string(Utf8CharAt(utf8, failedAt < utf8.size() ? failedAt : 0));
    }
    return std::nullopt;
}

std::optional<std::string> CodePageToUtf8(std::string_view bytes, int codePage)
{
    std::string out;
    size_t failedAt = 0;
    Converter converter("UTF-8", IconvName(codePage));
    if (!converter.Run(bytes, out, failedAt))
        return std::nullopt;
    return out;
}

std::string AnsiToSystemText(std::string_view ansi)
{
    if (IsAscii(ansi))
        return std::string(ansi);
    if (auto utf8 = CodePageToUtf8(ansi, kAnsiCodePage))
        return *utf8;
    // The ANSI code page has one byte per character, so the bytes it leaves undefined can be taken alone.
    std::string out;
    for (const char c : ansi) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80) {
            out += c;
        } else if (auto one = CodePageToUtf8(std::string_view(&c, 1), kAnsiCodePage)) {
            out += *one;
        } else {
            out += static_cast<char>(0xC0 | b >> 6);
            out += static_cast<char>(0x80 | (b & 0x3F));
        }
    }
    return out;
}
