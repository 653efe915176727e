#pragma once
// Databases built byte by byte, independently of the project's writer, so that the reader is checked
// against the stored format rather than against the writer.
#include "support/TempDir.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace DbBytes {

inline std::string U32(std::uint32_t v)
{
    std::string s(4, '\0');
    for (int i = 0; i < 4; ++i)
        s[static_cast<std::size_t>(i)] = static_cast<char>((v >> (8 * i)) & 0xFF);
    return s;
}

inline std::string Num10(long long v)
{
    char text[32];
    std::snprintf(text, sizeof text, "%10lld", v);
    return text;
}

inline std::string Join(const std::vector<std::string>& pieces)
{
    std::string s;
    for (std::size_t i = 0; i < pieces.size(); ++i)
        s += (i ? "," : "") + pieces[i];
    return s;
}

inline std::string Header(const std::vector<std::string>& names, const std::vector<long long>& starts,
                          const std::vector<long long>& sizes)
{
    std::vector<std::string> p, s;
    for (auto v : starts)
        p.push_back(Num10(v));
    for (auto v : sizes)
        s.push_back(Num10(v));
    return "<database><tables>" + Join(names) + "</tables><tablestartpos>" + Join(p) + "</tablestartpos><tablesize>" +
        Join(s) + "</tablesize></database>";
}

inline std::string Record(const std::vector<std::string>& values)
{
    std::string r;
    for (const auto& v : values)
        r += U32(static_cast<std::uint32_t>(v.size()));
    for (const auto& v : values)
        r += v;
    return r;
}

// A well-formed table: head, index, records, closing tags.
inline std::string Table(const std::string& name, const std::string& fields, const std::string& flags,
                         const std::vector<std::vector<std::string>>& records)
{
    std::string head = "<" + name + "><head><fields>" + fields + "</fields><binfields>" + flags +
        "</binfields><recordcount>" + std::to_string(records.size()) + "</recordcount></head><recordinfo>";
    std::uint32_t offset = static_cast<std::uint32_t>(head.size() + 8 * records.size() + 19);
    std::string index, data;
    for (const auto& values : records) {
        std::string r = Record(values);
        index += U32(offset) + U32(static_cast<std::uint32_t>(r.size()));
        offset += static_cast<std::uint32_t>(r.size());
        data += r;
    }
    return head + index + "</recordinfo><data>" + data + "</data></" + name + ">";
}

// A database of base 0 holding the given tables back to back after the header.
inline std::string Database(const std::vector<std::pair<std::string, std::string>>& tables)
{
    std::vector<std::string> names;
    std::vector<long long> starts, sizes;
    for (const auto& t : tables) {
        names.push_back(t.first);
        starts.push_back(0);
        sizes.push_back(static_cast<long long>(t.second.size()));
    }
    long long position = static_cast<long long>(Header(names, starts, sizes).size());
    for (std::size_t i = 0; i < tables.size(); ++i) {
        starts[i] = position;
        position += sizes[i];
    }
    std::string db = Header(names, starts, sizes);
    for (const auto& t : tables)
        db += t.second;
    return db;
}

// Bytes that are easy to tell apart from each other: value i of a pattern seeded with seed.
inline std::string Pattern(std::size_t size, unsigned seed)
{
    std::string s(size, '\0');
    std::uint32_t x = seed * 2654435761u + 1;
    for (auto& c : s) {
        x = x * 1664525u + 1013904223u;
        c = static_cast<char>(x >> 24);
    }
    return s;
}

} // namespace DbBytes
