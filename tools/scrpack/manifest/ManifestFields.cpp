#include "scrpack/manifest/ManifestFields.h"

#include "model/MediaSettingsRecord.h"
#include "model/ProjectOptions.h"

#include <cstdio>

namespace {

using M = MediaSettingsRecord;
using P = ProjectOptions;

const std::vector<ChoiceName> kSlideModes = {{"whole-window", 1}, {"image-only", 0}};
const std::vector<ChoiceName> kScaleModes = {{"shrink-to-fit", 0}, {"fit", 1}, {"fill-crop", 2}, {"stretch", 3}};
const std::vector<ChoiceName> kMediaTypes = {{"image", MediaKind::kImage}, {"video", MediaKind::kVideo}};
const std::vector<ChoiceName> kPositions = {
    {"top", 0},          {"top-left", 1}, {"top-right", 2},   {"bottom", 3},       {"bottom-left", 4},
    {"bottom-right", 5}, {"center", 6},   {"center-left", 7}, {"center-right", 8}, {"custom", 9}};
const std::vector<ChoiceName> kPlacements = {{"stretch", 0}, {"center", 1}, {"tile", 2}, {"random", 3}};

} // namespace

const std::vector<RecordField>& ProjectOptionFields()
{
    static const std::vector<RecordField> fields = {
        {"", "run_as_program", P::kRunAsExe, FieldKind::OneInt},
        {"", "random_position", P::kRandomPosition, FieldKind::Flag},
        {"", "random_order", P::kRandomOrder, FieldKind::Flag},
        {"", "display_time", P::kDisplayTime, FieldKind::Int},
        {"", "music_loop", P::kMusicLoop, FieldKind::Flag},
        {"", "music_pause", P::kMusicPause, FieldKind::Int},
        {"", "music_random", P::kMusicRandom, FieldKind::Flag},
        {"", "dialog_picture", P::kShowDialogPicture, FieldKind::Flag},
        {"", "publisher_page", P::kPublisherPage, FieldKind::Flag},
        {"", "visit_website", P::kVisitWebsite, FieldKind::Flag},
        {"", "help_menu", P::kHelpMenu, FieldKind::Flag},
        {"", "media_in_database", P::kMediaInDatabase, FieldKind::Flag},
        {"", "music_in_database", P::kMusicInDatabase, FieldKind::Flag},
        {"", "slide_background", P::kSlideBackgroundMode, FieldKind::Choice, INT32_MIN, INT32_MAX, &kSlideModes},
        {"", "scale_mode", P::kScaleMode, FieldKind::Choice, 0, 3, &kScaleModes},
        {"", "files_beside_program", P::kBesideExecutable, FieldKind::Flag},
        {"", "transitions_page", P::kTransitionsPage, FieldKind::Flag},
    };
    return fields;
}

const std::vector<RecordField>& MediaRecordFields()
{
    static const std::vector<RecordField> fields = {
        {"", "type", M::kMediaType, FieldKind::Choice, 0, 2, &kMediaTypes},
        {"", "video_mode", M::kVideoMode, FieldKind::Int, 0, 5},
        {"", "colour_key", M::kColourKey, FieldKind::Flag},
        {"", "play_music", M::kPlayMusic, FieldKind::Flag},
        {"title", "shown", M::kShowTitle, FieldKind::Flag},
        {"title", "charset", M::kTitleCharset, FieldKind::Byte},
        {"title", "colour", M::kTitleColour, FieldKind::Colour},
        {"title", "size", M::kTitleSize, FieldKind::Int, -1000, 1000},
        {"title", "position", M::kTitlePosition, FieldKind::Choice, 0, 9, &kPositions},
        {"title", "x", M::kTitleX, FieldKind::Int},
        {"title", "y", M::kTitleY, FieldKind::Int},
        {"description", "shown", M::kShowDesc, FieldKind::Flag},
        {"description", "charset", M::kDescCharset, FieldKind::Byte},
        {"description", "colour", M::kDescColour, FieldKind::Colour},
        {"description", "size", M::kDescSize, FieldKind::Int, -1000, 1000},
        {"description", "position", M::kDescPosition, FieldKind::Choice, 0, 9, &kPositions},
        {"description", "x", M::kDescX, FieldKind::Int},
        {"description", "y", M::kDescY, FieldKind::Int},
        {"background", "solid", M::kBackgroundSolid, FieldKind::Flag},
        {"background", "picture", M::kBackgroundPicture, FieldKind::Flag},
        {"background", "gradient", M::kBackgroundGradient, FieldKind::Flag},
        {"background", "colour", M::kBackgroundColour, FieldKind::Colour},
        {"background", "random_colour", M::kPresetColour, FieldKind::Flag},
        {"background", "gradient_from", M::kGradientColour1, FieldKind::Colour},
        {"background", "gradient_to", M::kGradientColour2, FieldKind::Colour},
        {"background", "random_gradient", M::kPresetGradient, FieldKind::Flag},
        {"background", "desktop_source", M::kSourceDesktop, FieldKind::Flag},
        {"background", "image_source", M::kSourceImage, FieldKind::Flag},
        {"background", "selected_source", M::kSourceSelected, FieldKind::Flag},
        {"background", "placement", M::kPlacement, FieldKind::Choice, 0, 3, &kPlacements},
        {"background", "tiles", M::kTileCount, FieldKind::Int, 1, 1000},
        {"background", "random_tiles", M::kRandomTileCount, FieldKind::Flag},
        {"transition", "enabled", M::kTransition, FieldKind::Flag},
        {"transition", "random", M::kRandomEffects, FieldKind::Flag},
        {"transition", "speed", M::kTransitionSpeed, FieldKind::Int, 1, 10000},
    };
    return fields;
}

std::optional<std::string> ChoiceNameOf(const RecordField& field, int32_t value)
{
    if (field.choices) {
        for (const auto& c : *field.choices) {
            if (c.value == value)
                return std::string(c.name);
        }
    }
    return std::nullopt;
}

std::optional<int32_t> ChoiceValueOf(const RecordField& field, std::string_view name)
{
    if (field.choices) {
        for (const auto& c : *field.choices) {
            if (name == c.name)
                return c.value;
        }
    }
    return std::nullopt;
}

std::optional<uint32_t> ParseColour(std::string_view text)
{
    if (text.size() != 7 || text[0] != '#')
        return std::nullopt;
    uint32_t rgb = 0;
    for (size_t i = 1; i < 7; ++i) {
        const char c = text[i];
        uint32_t digit;
        if (c >= '0' && c <= '9')
            digit = static_cast<uint32_t>(c - '0');
        else if (c >= 'a' && c <= 'f')
            digit = static_cast<uint32_t>(c - 'a' + 10);
        else if (c >= 'A' && c <= 'F')
            digit = static_cast<uint32_t>(c - 'A' + 10);
        else
            return std::nullopt;
        rgb = rgb << 4 | digit;
    }
    // #RRGGBB reads red first; COLORREF keeps red in the low byte.
    return (rgb >> 16 & 0xff) | (rgb & 0xff00) | (rgb & 0xff) << 16;
}

std::string FormatColour(uint32_t colorref)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", colorref & 0xff, colorref >> 8 & 0xff, colorref >> 16 & 0xff);
    return text;
}

const std::vector<std::string>& FontStyleWords()
{
    static const std::vector<std::string> words = {"bold", "italic", "underline", "strikeout"};
    return words;
}

std::string ToHex(const uint8_t* data, size_t size)
{
    static const char digits[] = "0123456789abcdef";
    std::string text;
    text.reserve(size * 2);
    for (size_t i = 0; i < size; ++i) {
        text += digits[data[i] >> 4];
        text += digits[data[i] & 15];
    }
    return text;
}

std::optional<std::vector<uint8_t>> FromHex(std::string_view text, size_t size)
{
    auto bytes = HexBytes(text);
    if (!bytes || bytes->size() != size)
        return std::nullopt;
    return bytes;
}

std::optional<std::vector<uint8_t>> HexBytes(std::string_view text)
{
    std::string digits;
    for (char c : text) {
        if (c != ' ' && c != '\n' && c != '\t')
            digits += c;
    }
    if (digits.size() % 2 != 0)
        return std::nullopt;
    const size_t size = digits.size() / 2;
    std::vector<uint8_t> bytes(size);
    for (size_t i = 0; i < size; ++i) {
        auto nibble = [](char c) -> int {
            if (c >= '0' && c <= '9')
                return c - '0';
            if (c >= 'a' && c <= 'f')
                return c - 'a' + 10;
            if (c >= 'A' && c <= 'F')
                return c - 'A' + 10;
            return -1;
        };
        const int hi = nibble(digits[2 * i]), lo = nibble(digits[2 * i + 1]);
        if (hi < 0 || lo < 0)
            return std::nullopt;
        bytes[i] = static_cast<uint8_t>(hi << 4 | lo);
    }
    return bytes;
}
