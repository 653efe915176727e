#pragma once
#include <optional>
#include <string>

// The one folder the studio may read and write: the show's. Every path a request names is taken relative
// to it and refused when it could lead anywhere else.
class FolderGuard {
public:
    // root: the show's folder; it must exist.
    explicit FolderGuard(const std::string& root);

    const std::string& Root() const { return root_; }

    // The full path of `relative` inside the folder, or nothing with the reason: an absolute path, a ".."
    // part, a control character, or a path that, links followed, lies outside. The file itself need not
    // exist (it may be about to be written), but what exists of its way must stay inside.
    std::optional<std::string> Resolve(const std::string& relative, std::string* reason = nullptr) const;

    // The path of a file inside the folder relative to it ("photos/a.jpg"); nothing for a path outside.
    std::optional<std::string> RelativeOf(const std::string& path) const;

private:
    std::string root_;  // canonical, without a trailing separator
    std::string given_; // as given, made absolute: the manifest reader's paths start with it
};
