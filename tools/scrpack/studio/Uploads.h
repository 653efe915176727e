#pragma once
#include <cstddef>
#include <string>

// Files added to the show's folder from the page: pictures, videos and sounds only, and only when their bytes
// are what their name says (a picture decodes as the runtime would show it). The file is written beside its
// final name and linked to it, never over an existing file.

// Stores `bytes` in `folder` (already checked to lie in the show's folder) under a safe form of `name`
// ("photo (2).jpg" when the name is taken). Returns the stored file's name, or "" with the reason.
std::string StoreUpload(const std::string& folder, const std::string& name, const std::string& bytes, size_t maxBytes,
                        std::string& reason);

// Whether the first bytes fit a sound or video file's kind ("RIFF....WAVE", an MP3 frame or ID3 tag, "OggS",
// "fLaC", an MP4 or QuickTime "ftyp", Matroska's EBML, an MPEG pack, ASF's header, MIDI's "MThd").
bool LooksLikeMedia(const std::string& bytes);
