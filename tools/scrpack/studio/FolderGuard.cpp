#include "scrpack/studio/FolderGuard.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace {

bool Inside(const fs::path& path, const fs::path& root)
{
    auto p = path.begin();
    for (auto r = root.begin(); r != root.end(); ++r, ++p) {
        if (p == path.end() || *p != *r)
            return false;
    }
    return true;
}

} // namespace

FolderGuard::FolderGuard(const std::string& root)
{
    std::error_code ec;
    fs::path canonical = fs::canonical(root, ec);
    root_ = (ec ? fs::absolute(root, ec) : canonical).lexically_normal().string();
    given_ = fs::absolute(root, ec).lexically_normal().string();
    for (std::string* text : {&root_, &given_}) {
        while (text->size() > 1 && text->back() == '/')
            text->pop_back();
    }
}

std::optional<std::string> FolderGuard::Resolve(const std::string& relative, std::string* reason) const
{
    auto refuse = [&](const char* why) -> std::optional<std::string> {
        if (reason)
            *reason = why;
        return std::nullopt;
    };
    if (relative.empty())
        return refuse("no path given");
    for (char c : relative) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f || c == '\\')
            return refuse("the path holds a control character or a backslash");
    }
    const fs::path path(relative);
    if (path.is_absolute() || relative[0] == '/')
        return refuse("absolute paths are not allowed; name a file inside the show's folder");
    for (const fs::path& part : path) {
        if (part == "..")
            return refuse("\"..\" is not allowed; name a file inside the show's folder");
    }
    const fs::path full = (fs::path(root_) / path).lexically_normal();
    // Links are followed as far as the path exists: a link inside that points out is refused.
    std::error_code ec;
    const fs::path real = fs::weakly_canonical(full, ec);
    if (ec || !Inside(real, fs::path(root_)))
        return refuse("the path leads out of the show's folder");
    return full.string();
}

std::optional<std::string> FolderGuard::RelativeOf(const std::string& path) const
{
    std::error_code ec;
    const fs::path full = fs::absolute(path, ec).lexically_normal();
    for (const std::string* root : {&given_, &root_}) {
        if (!ec && Inside(full, fs::path(*root)))
            return full.lexically_relative(*root).generic_string();
    }
    return std::nullopt;
}
