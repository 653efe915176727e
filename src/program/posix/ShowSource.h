#pragma once
#include <memory>
#include <string>

class WorkFolder;

// What `play` and `render` show, from any of the inputs an author has: a program with a project attached
// (.scr), a project database, a manifest (.toml), packed into a work folder of its own first, or a folder of
// pictures and videos, for which a manifest is made as `scrpack new` makes one, then packed. The work folder
// lives as long as this object.
class ShowSource {
public:
    // `command` ("play", "render") labels the messages of the pack.
    explicit ShowSource(std::string command);
    ~ShowSource();
    ShowSource(const ShowSource&) = delete;
    ShowSource& operator=(const ShowSource&) = delete;

    // The file the show is played from: `input` itself, or the database packed from it. False with a message
    // when a manifest or folder cannot be packed; a file that carries no project is the show's to refuse.
    bool Resolve(const std::string& input, std::string& showPath, std::string& error);

private:
    bool Pack(const std::string& manifest, std::string& showPath, std::string& error);
    bool MakeWorkFolder(const std::string& input, std::string& error);

    std::string command_;
    std::unique_ptr<WorkFolder> work_;
};

// The messages of the authoring tool's commands ("scrpack pack: ...", "scrpack new: ...") as messages of
// `screensaver COMMAND`.
std::string Relabel(const std::string& messages, const std::string& command);
