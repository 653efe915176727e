#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The fixed-layout record values a manifest names in words: which section and key, where in the record,
// and how the value is written. Shared by the manifest reader and writer so both agree on every name.

enum class FieldKind {
    Flag,   // one byte, true when nonzero
    OneInt, // 32-bit, true when exactly 1
    Int,    // 32-bit signed
    Byte,   // 8-bit unsigned
    Colour, // 32-bit COLORREF, written "#RRGGBB"
    Choice, // 32-bit, written by name (or as a number)
};

struct ChoiceName {
    const char* name;
    int32_t value;
};

struct RecordField {
    const char* section; // "" for the entry itself, else its sub-table
    const char* key;
    size_t offset;
    FieldKind kind;
    int64_t min = INT32_MIN; // for Int and Choice numbers
    int64_t max = INT32_MAX;
    const std::vector<ChoiceName>* choices = nullptr;
};

// The [options] fields of the 80-byte project options record.
const std::vector<RecordField>& ProjectOptionFields();
// The fields of a [[media]] entry's 164-byte record.
const std::vector<RecordField>& MediaRecordFields();

// The name of a choice value, or nothing when it has none.
std::optional<std::string> ChoiceNameOf(const RecordField& field, int32_t value);
std::optional<int32_t> ChoiceValueOf(const RecordField& field, std::string_view name);

// Colours: "#RRGGBB" <-> COLORREF 0x00BBGGRR.
std::optional<uint32_t> ParseColour(std::string_view text);
std::string FormatColour(uint32_t colorref);

// Font style markers: "1;" bold, "2;" italic, "3;" underline, "4;" strikeout.
const std::vector<std::string>& FontStyleWords();

// Hex of raw bytes, and back (nothing for malformed text or another length).
std::string ToHex(const uint8_t* data, size_t size);
std::optional<std::vector<uint8_t>> FromHex(std::string_view text, size_t size);
std::optional<std::vector<uint8_t>> HexBytes(std::string_view text);
