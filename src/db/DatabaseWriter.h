#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// One stored value: bytes held in memory, or a range of a file on disk that is copied in chunks when the
// database is written (media files of hundreds of megabytes never sit in memory).
struct TableValue {
    std::string bytes;
    std::string sourcePath; // not empty: the value comes from this file
    std::uint64_t sourceOffset = 0;
    std::optional<std::uint64_t> sourceLength; // none: up to the end of the file

    TableValue() = default;
    TableValue(std::string value) : bytes(std::move(value)) { }
    TableValue(const char* value) : bytes(value) { }
    static TableValue FromFile(std::string path, std::uint64_t offset = 0,
                               std::optional<std::uint64_t> length = std::nullopt);
    bool IsFile() const { return !sourcePath.empty(); }
};

// A table to write: its field names, which of them are binary, and its records (one value per field).
struct TableContent {
    std::string name;
    std::vector<std::string> fields;
    std::vector<bool> binary; // per field; a field without an entry is text
    std::vector<std::vector<TableValue>> records;

    TableContent() = default;
    TableContent(std::string tableName, std::vector<std::string> fieldNames, std::vector<bool> binaryFlags = {})
        : name(std::move(tableName)), fields(std::move(fieldNames)), binary(std::move(binaryFlags))
    {
    }
    void AddRecord(std::vector<TableValue> values) { records.push_back(std::move(values)); }
};

// Writes a project database: the bytes that precede it, the header, the tables in order, the header again
// with the final positions and sizes, and the trailer when asked. The new file is written beside the target
// with the extension ".db_" and replaces the target only when complete; on failure the target is untouched.
class DatabaseWriter {
public:
    // The first count bytes of path (all of it when count is none) precede the database; they are copied
    // unchanged and the database's base offset is their length. Also turns the trailer on.
    void SetLeadingBytes(std::string path, std::optional<std::uint64_t> count = std::nullopt);
    // Whether the four-byte trailer holding the base offset ends the file (off by default, on with leading
    // bytes).
    void SetTrailer(bool trailer) { trailer_ = trailer; }

    // A table written from its content.
    void AddTable(TableContent table);
    // A table whose bytes are copied as they are: size bytes at offset in path (an unchanged table of an
    // older database, or one prepared separately).
    void AddStoredTable(std::string name, std::string path, std::uint64_t offset, std::uint64_t size);

    // Writes the database to targetPath. On failure returns false with a message in error (if given).
    bool Write(const std::string& targetPath, std::string* error = nullptr) const;

private:
    struct Entry {
        std::string name;
        std::optional<TableContent> content;
        std::string path;
        std::uint64_t offset = 0;
        std::uint64_t size = 0;
    };
    std::string leadingPath_;
    std::optional<std::uint64_t> leadingCount_;
    bool trailer_ = false;
    std::vector<Entry> tables_;
};

// A database file of its own (base 0, no trailer).
bool WriteDatabaseFile(const std::string& path, std::vector<TableContent> tables, std::string* error = nullptr);
// exePath's bytes followed by the database and the trailer, written to outPath (which may be exePath).
bool AttachDatabase(const std::string& exePath, const std::string& outPath, std::vector<TableContent> tables,
                    std::string* error = nullptr);
// The bytes of one table alone, as a prepared table file ("<table>.m__") holds them.
bool WriteTableFile(const TableContent& table, const std::string& path, std::string* error = nullptr);

// Rewrites the database at base in the file at path: the leading bytes and every table are kept, except a
// table for which the database's folder holds a prepared file "<table name>.m__", which replaces it and is
// deleted once copied. The trailer is written when base is not 0.
bool RebuildDatabase(const std::string& path, std::uint32_t base, std::string* error = nullptr);

// The path with its extension replaced by ".db_": where a database is written before it replaces the old.
std::string PendingDatabasePath(const std::string& path);
// The prepared table file for a table of the database at path: "<folder>\<table>.m__".
std::string PreparedTablePath(const std::string& databasePath, const std::string& tableName);
