#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class DatabaseTable;

// One table of the database's header.
struct TableDirectoryEntry {
    std::string name;
    std::int64_t start = -1;           // relative to the base; -1 when the header gives no usable number
    std::int64_t size = 0;             // -1 when the header gives an unusable number
    DatabaseTable* openedBy = nullptr; // the table object that has it open, if any
};

// The project database: the table directory read from the header at the base offset. Read only.
class ProjectDatabase {
public:
    // The header and each table head are found within this many bytes.
    static constexpr std::size_t kHeadBytes = 1024;

    ProjectDatabase() = default;
    ~ProjectDatabase();
    ProjectDatabase(const ProjectDatabase&) = delete;
    ProjectDatabase& operator=(const ProjectDatabase&) = delete;

    // Reads the table directory of the database at base in the file at path. True when the file does not
    // exist (no tables then); false only when an existing file cannot be opened.
    bool Open(const std::string& path, std::uint32_t base);
    // Forgets the directory. Tables still open keep reading their own file.
    void Close();

    // The first table with exactly this name, or nullptr.
    TableDirectoryEntry* FindTable(const std::string& name) const;
    int GetTableCount() const { return static_cast<int>(tables_.size()); }
    // Throws std::invalid_argument for an index outside the directory.
    TableDirectoryEntry* GetTable(int index) const;

    const std::string& GetPath() const { return path_; }
    std::uint32_t GetBase() const { return base_; }
    // True when the bytes at the base begin with "<database>".
    bool HasHeader() const { return hasHeader_; }
    // Length of the file when it was opened (0 when missing).
    std::uint64_t GetFileLength() const { return fileLength_; }

private:
    std::string path_;
    std::uint32_t base_ = 0;
    bool hasHeader_ = false;
    std::uint64_t fileLength_ = 0;
    std::vector<std::unique_ptr<TableDirectoryEntry>> tables_;
};

// The database base offset from the last four bytes of the file at path, or -1 when the file cannot be
// opened or is shorter than four bytes.
std::int64_t ReadDatabaseTrailer(const std::string& path);
