#pragma once
#include "db/DiskFile.h"
#include "db/MemoryFile.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class ProjectDatabase;
struct TableDirectoryEntry;

// One record index entry; the offset counts from the table's first byte.
struct RecordIndexEntry {
    std::uint32_t offset = 0;
    std::uint32_t size = 0;
};

// One field of an open table and its value in the current record.
struct FieldValue {
    std::string name;
    MemoryFile value; // the value when it is read with the record; empty otherwise
    bool binary = false;
    std::uint64_t position = 0; // a binary value left on disk: where it lies in the file...
    std::uint32_t length = 0;   // ...and how long it is
};

// Receives a binary value piece by piece; returning false stops the copy.
using FieldSink = std::function<bool(const void* data, std::size_t size)>;

// One open table of the database: steps through its records and hands out field values by field name.
// Everything it reads lies within the table's bytes in the file; what lies outside reads as absent.
class DatabaseTable {
public:
    DatabaseTable() = default;
    ~DatabaseTable();
    DatabaseTable(const DatabaseTable&) = delete;
    DatabaseTable& operator=(const DatabaseTable&) = delete;

    // When on (the default), binary values are read into memory with their record.
    void SetLoadBinaryFields(bool load) { loadBinary_ = load; }
    bool GetLoadBinaryFields() const { return loadBinary_; }

    bool Open(ProjectDatabase& db, const std::string& name);
    // Opens a given directory entry (the first of several with the same name is not the only one).
    bool Open(ProjectDatabase& db, TableDirectoryEntry* entry);
    void Close();
    bool IsClosed() const { return !open_; }

    int GetRecordCount() const { return static_cast<int>(records_.size()); }
    int GetCurrentIndex() const { return current_; }
    bool IsAtEnd() const { return atEnd_; }
    bool IsAtBegin() const { return atBegin_; }

    int MoveTo(int index);
    void MoveFirst();
    void MoveNext();
    void MovePrev();

    int FindField(const std::string& name) const;
    int GetFieldCount() const { return static_cast<int>(fields_.size()); }
    // Throws std::invalid_argument for an index outside the field list.
    const FieldValue& GetField(int index) const;
    const RecordIndexEntry& GetRecordInfo(int index) const;

    // The rest of these throw std::invalid_argument for a field name that the table does not have.

    // The value up to its first zero byte.
    std::string GetFieldString(const std::string& name) const;
    // Copies the value read with the record into dest, cut to destSize; returns the bytes copied.
    std::size_t CopyFieldBytes(const std::string& name, void* dest, std::size_t destSize) const;
    // The first four bytes of the value as a little-endian integer (missing bytes are zero).
    std::int32_t ReadFieldInt(const std::string& name) const;
    // Length of the current record's value, whether read or left on disk.
    std::uint32_t GetFieldLength(const std::string& name) const;
    // Appends a binary value of the current record to stream; false for a text field or an empty value.
    bool ReadBinaryField(const std::string& name, FileBase& stream);
    // The same, handing the value to sink in pieces of at most 64 KiB.
    bool ReadBinaryField(const std::string& name, const FieldSink& sink);

    const std::string& GetName() const { return name_; }
    // The table's bytes in the file: [start, start + size), cut at the end of the file.
    std::uint64_t GetTableStart() const { return tableStart_; }
    std::uint64_t GetTableSize() const { return tableEnd_ - tableStart_; }

private:
    friend class ProjectDatabase;
    void DetachFromDatabase();
    const FieldValue& Field(const std::string& name) const;
    void ReadHead();
    void ReadRecord(int index);
    std::size_t ReadTable(std::uint64_t position, void* buffer, std::size_t count);

    TableDirectoryEntry* entry_ = nullptr;
    ProjectDatabase* db_ = nullptr;
    DiskFile file_;
    bool open_ = false;
    bool loadBinary_ = true;
    bool binaryOnDisk_ = false; // load-binary flag as it was at Open
    std::uint32_t base_ = 0;
    std::int64_t start_ = -1;
    std::int64_t size_ = 0;
    std::string name_;
    std::uint64_t tableStart_ = 0;
    std::uint64_t tableEnd_ = 0;
    std::vector<FieldValue> fields_;
    std::vector<RecordIndexEntry> records_;
    int current_ = -1;
    bool atEnd_ = false;
    bool atBegin_ = false;

    // Read-ahead over the table, so stepping through small records costs few system calls.
    std::vector<unsigned char> cache_;
    std::uint64_t cacheStart_ = 0;
    std::size_t cacheLength_ = 0;
};
