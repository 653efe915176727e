#include "db/ProjectDatabase.h"
#include "base/ByteOrder.h"

#include "db/DatabaseTable.h"
#include "db/DiskFile.h"
#include "db/TagText.h"

#include <stdexcept>

ProjectDatabase::~ProjectDatabase()
{
    Close();
}

void ProjectDatabase::Close()
{
    // Open tables keep their own file and their copies of the entry; they only lose the link back.
    for (auto& entry : tables_)
        if (entry->openedBy)
            entry->openedBy->DetachFromDatabase();
    tables_.clear();
    hasHeader_ = false;
    fileLength_ = 0;
}

// A position or size from the header, or `invalid` when it is not a number a 32-bit field can hold.
static std::int64_t StoredNumber(std::string_view piece, std::int64_t invalid)
{
    auto value = ParseNumber(piece);
    if (!value || *value < 0 || *value > 0xFFFFFFFFll)
        return invalid;
    return *value;
}

bool ProjectDatabase::Open(const std::string& path, std::uint32_t base)
{
    Close();
    path_ = path;
    base_ = base;
    if (!DiskFile::Exists(path))
        return true;
    DiskFile file;
    if (!file.Open(path, DiskFile::kModeRead))
        return false;
    fileLength_ = file.GetLength();

    char buffer[kHeadBytes];
    std::size_t got = file.ReadAt(base, buffer, sizeof buffer);
    file.Close();
    std::string_view header = TextUpToZero(buffer, got);
    hasHeader_ = header.starts_with("<database>");

    if (auto names = TextBetween(header, "<tables>", "</tables>"))
        for (std::string_view name : SplitList(*names)) {
            auto entry = std::make_unique<TableDirectoryEntry>();
            entry->name = std::string(name);
            tables_.push_back(std::move(entry));
        }
    if (auto starts = TextBetween(header, "<tablestartpos>", "</tablestartpos>")) {
        auto pieces = SplitList(*starts);
        for (std::size_t k = 0; k < pieces.size() && k < tables_.size(); ++k)
            tables_[k]->start = StoredNumber(pieces[k], -1);
    }
    if (auto sizes = TextBetween(header, "<tablesize>", "</tablesize>")) {
        auto pieces = SplitList(*sizes);
        for (std::size_t k = 0; k < pieces.size() && k < tables_.size(); ++k)
            tables_[k]->size = StoredNumber(pieces[k], -1);
    }
    return true;
}

TableDirectoryEntry* ProjectDatabase::FindTable(const std::string& name) const
{
    for (const auto& entry : tables_)
        if (entry->name == name)
            return entry.get();
    return nullptr;
}

TableDirectoryEntry* ProjectDatabase::GetTable(int index) const
{
    if (index < 0 || index >= GetTableCount())
        throw std::invalid_argument("table index out of range");
    return tables_[static_cast<std::size_t>(index)].get();
}

std::int64_t ReadDatabaseTrailer(const std::string& path)
{
    DiskFile file;
    if (!file.Open(path, DiskFile::kModeRead))
        return -1;
    std::uint64_t length = file.GetLength();
    unsigned char bytes[4];
    if (length < 4 || file.ReadAt(length - 4, bytes, 4) != 4)
        return -1;
    return static_cast<std::int64_t>(ReadLE32(bytes));
}
