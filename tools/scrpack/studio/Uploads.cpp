#include "scrpack/studio/Uploads.h"

#include "platform/Paths.h"
#include "scrpack/commands/NewCommand.h"
#include "scrpack/pictures/PictureCheck.h"

#include <cstring>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

bool StartsWith(const std::string& bytes, const char* magic, size_t offset = 0, size_t length = 0)
{
    const size_t n = length ? length : std::strlen(magic);
    return bytes.size() >= offset + n && std::memcmp(bytes.data() + offset, magic, n) == 0;
}

} // namespace

bool LooksLikeMedia(const std::string& bytes)
{
    if (bytes.size() < 4)
        return false;
    const auto b0 = static_cast<unsigned char>(bytes[0]), b1 = static_cast<unsigned char>(bytes[1]);
    return (StartsWith(bytes, "RIFF") && (StartsWith(bytes, "WAVE", 8) || StartsWith(bytes, "AVI ", 8))) ||
        StartsWith(bytes, "ID3") || (b0 == 0xFF && (b1 & 0xE0) == 0xE0) || StartsWith(bytes, "OggS") ||
        StartsWith(bytes, "fLaC") || StartsWith(bytes, "ftyp", 4) || StartsWith(bytes, "\x1A\x45\xDF\xA3") ||
        StartsWith(bytes, "\x00\x00\x01\xBA", 0, 4) || StartsWith(bytes, "\x00\x00\x01\xB3", 0, 4) ||
        StartsWith(bytes, "\x30\x26\xB2\x75") || StartsWith(bytes, "MThd");
}

std::string StoreUpload(const std::string& folder, const std::string& name, const std::string& bytes, size_t maxBytes,
                        std::string& reason)
{
    const std::string safe = SafeFileNameOf(FileNameOf(name));
    if (safe.empty() || safe.find('/') != std::string::npos || safe[0] == '.') {
        reason = "\"" + name + "\" cannot name a file";
        return "";
    }
    if (bytes.size() > maxBytes) {
        reason = "larger than " + std::to_string(maxBytes) + " bytes";
        return "";
    }
    const FileKind kind = KindOf(safe);
    if (kind == FileKind::Other) {
        reason = safe + " is no picture, video or sound";
        return "";
    }
    const fs::path stem = fs::path(safe).stem(), extension = fs::path(safe).extension();
    fs::path target = fs::path(folder) / safe;
    std::error_code ec;
    for (int n = 2; fs::exists(target, ec) || fs::is_symlink(target, ec); ++n)
        target = fs::path(folder) / (stem.string() + " (" + std::to_string(n) + ")" + extension.string());
    const std::string pending = (fs::path(folder) / (".upload-" + target.filename().string())).string();
    {
        std::ofstream out(pending, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out) {
            reason = "cannot write into the show's folder";
            fs::remove(pending, ec);
            return "";
        }
    }
    if (kind == FileKind::Picture) {
        const std::string pictureKind =
            PictureKind(reinterpret_cast<const uint8_t*>(bytes.data()), std::min<size_t>(bytes.size(), 64));
        // TIFF, WebP and HEIF are converted when packed; everything else must show as it is.
        const std::string problem = NeedsConversion(pictureKind) ? "" : CheckPicture(pending, safe);
        if (!problem.empty()) {
            reason = safe + ": " + problem;
            fs::remove(pending, ec);
            return "";
        }
    } else if (!LooksLikeMedia(bytes)) {
        reason = safe + " is not a " + (kind == FileKind::Video ? "video" : "sound") + " file its name says it is";
        fs::remove(pending, ec);
        return "";
    }
    // link() refuses to replace a file that appeared meanwhile, where rename would overwrite it.
    std::error_code linked;
    fs::create_hard_link(pending, target, linked);
    fs::remove(pending, ec);
    if (linked) {
        reason = "cannot store " + target.filename().string();
        return "";
    }
    return target.filename().string();
}
