#include "db/DatabaseTable.h"
#include "base/ByteOrder.h"

#include "db/ProjectDatabase.h"
#include "db/TagText.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace {
constexpr std::string_view kRecordInfoTag = "<recordinfo>";
constexpr std::size_t kIndexEntryBytes = 8;
} // namespace

DatabaseTable::~DatabaseTable()
{
    Close();
}

bool DatabaseTable::Open(ProjectDatabase& db, const std::string& name)
{
    Close();
    TableDirectoryEntry* entry = db.FindTable(name);
    if (!entry)
        return false;
    return Open(db, entry);
}

bool DatabaseTable::Open(ProjectDatabase& db, TableDirectoryEntry* entry)
{
    Close();
    if (!entry)
        return false;
    if (!file_.Open(db.GetPath(), DiskFile::kModeRead))
        return false;
    entry_ = entry;
    db_ = &db;
    entry->openedBy = this;
    base_ = db.GetBase();
    start_ = entry->start;
    size_ = entry->size;
    name_ = entry->name;

    // The table's bytes, cut at the end of the file; a table without a usable position or size has none.
    std::uint64_t fileLength = file_.GetLength();
    tableStart_ = tableEnd_ = 0;
    if (start_ >= 0 && size_ >= 0) {
        std::uint64_t begin = static_cast<std::uint64_t>(base_) + static_cast<std::uint64_t>(start_);
        if (begin < fileLength) {
            tableStart_ = begin;
            tableEnd_ = std::min(begin + static_cast<std::uint64_t>(size_), fileLength);
        }
    }
    cacheLength_ = 0;
    ReadHead();

    open_ = true;
    current_ = -1;
    atEnd_ = atBegin_ = false;
    binaryOnDisk_ = !loadBinary_;
    if (!records_.empty())
        MoveTo(0);
    return true;
}

void DatabaseTable::ReadHead()
{
    char buffer[ProjectDatabase::kHeadBytes];
    std::string_view head = TextUpToZero(buffer, ReadTable(tableStart_, buffer, sizeof buffer));

    auto names = TextBetween(head, "<fields>", "</fields>");
    if (!names)
        return;
    for (std::string_view name : SplitList(*names)) {
        FieldValue field;
        field.name = std::string(name);
        fields_.push_back(std::move(field));
    }
    if (auto flags = TextBetween(head, "<binfields>", "</binfields>"))
        for (std::size_t k = 0; k < flags->size() && k < fields_.size(); ++k)
            fields_[k].binary = (*flags)[k] == '1';

    std::int64_t count = 0;
    if (auto text = TextBetween(head, "<recordcount>", "</recordcount>"))
        count = ParseNumber(*text).value_or(0);
    std::size_t tag = head.find(kRecordInfoTag);
    if (count <= 0 || tag == std::string_view::npos)
        return;

    // Never more entries than the rest of the table can hold.
    std::uint64_t indexStart = tableStart_ + tag + kRecordInfoTag.size();
    std::uint64_t room = indexStart < tableEnd_ ? (tableEnd_ - indexStart) / kIndexEntryBytes : 0;
    std::uint64_t entries = std::min<std::uint64_t>(static_cast<std::uint64_t>(count), room);
    records_.reserve(static_cast<std::size_t>(entries));
    unsigned char chunk[kFileChunk];
    for (std::uint64_t done = 0; done < entries;) {
        std::size_t want = static_cast<std::size_t>(
            std::min<std::uint64_t>(entries - done, sizeof chunk / kIndexEntryBytes) * kIndexEntryBytes);
        std::size_t got = ReadTable(indexStart + done * kIndexEntryBytes, chunk, want);
        for (std::size_t i = 0; i + kIndexEntryBytes <= got; i += kIndexEntryBytes)
            records_.push_back({ReadLE32(chunk + i), ReadLE32(chunk + i + 4)});
        if (got < want)
            break;
        done += want / kIndexEntryBytes;
    }
}

void DatabaseTable::Close()
{
    if (open_) {
        fields_.clear();
        records_.clear();
        file_.Close();
        open_ = false;
    }
    if (entry_ && entry_->openedBy == this)
        entry_->openedBy = nullptr;
    entry_ = nullptr;
    db_ = nullptr;
    current_ = -1;
    atEnd_ = atBegin_ = false;
    cacheLength_ = 0;
}

void DatabaseTable::DetachFromDatabase()
{
    entry_ = nullptr;
    db_ = nullptr;
}

std::size_t DatabaseTable::ReadTable(std::uint64_t position, void* buffer, std::size_t count)
{
    if (position >= tableEnd_ || position < tableStart_)
        return 0;
    count = static_cast<std::size_t>(std::min<std::uint64_t>(count, tableEnd_ - position));
    if (count >= kFileChunk)
        return file_.ReadAt(position, buffer, count);
    if (position < cacheStart_ || position + count > cacheStart_ + cacheLength_) {
        cache_.resize(kFileChunk);
        cacheStart_ = position;
        cacheLength_ =
            file_.ReadAt(position, cache_.data(),
                         static_cast<std::size_t>(std::min<std::uint64_t>(kFileChunk, tableEnd_ - position)));
        if (cacheLength_ < count)
            count = cacheLength_;
    }
    std::memcpy(buffer, cache_.data() + (position - cacheStart_), count);
    return count;
}

int DatabaseTable::MoveTo(int index)
{
    if (index == current_)
        return current_;
    atEnd_ = atBegin_ = false;
    if (index < 0) {
        atBegin_ = true;
        return current_;
    }
    if (index >= GetRecordCount()) {
        atEnd_ = true;
        return current_;
    }
    ReadRecord(index);
    current_ = index;
    return current_;
}

void DatabaseTable::MoveFirst()
{
    MoveTo(0);
    MovePrev();
    MoveTo(0);
}

void DatabaseTable::MoveNext()
{
    current_ = MoveTo(current_ + 1);
}

void DatabaseTable::MovePrev()
{
    current_ = MoveTo(current_ - 1);
}

void DatabaseTable::ReadRecord(int index)
{
    for (auto& field : fields_) {
        field.value.Clear();
        field.position = 0;
        field.length = 0;
    }
    // The record's bytes, cut at the end of the table: values reaching past it are cut, values beyond it
    // are empty.
    const RecordIndexEntry& record = records_[static_cast<std::size_t>(index)];
    std::uint64_t position = tableStart_ + record.offset;
    std::uint64_t end = std::min<std::uint64_t>(position + record.size, tableEnd_);
    if (position >= end)
        return;

    std::vector<std::uint32_t> lengths(fields_.size(), 0);
    {
        std::vector<unsigned char> bytes(fields_.size() * 4);
        std::uint64_t room = end - position;
        std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(bytes.size(), room));
        std::size_t got = ReadTable(position, bytes.data(), want);
        for (std::size_t k = 0; (k + 1) * 4 <= got; ++k)
            lengths[k] = ReadLE32(bytes.data() + k * 4);
        position += bytes.size();
    }

    for (std::size_t k = 0; k < fields_.size(); ++k) {
        FieldValue& field = fields_[k];
        std::uint64_t available = position < end ? end - position : 0;
        auto length = static_cast<std::uint32_t>(std::min<std::uint64_t>(lengths[k], available));
        if (field.binary && binaryOnDisk_) {
            field.position = position;
            field.length = length;
        } else if (length > 0 && field.value.SetLength(length)) {
            // Straight into the value's buffer: SetLength made it exactly length bytes long.
            auto* data = const_cast<unsigned char*>(field.value.GetData());
            std::size_t got = 0;
            while (got < length) {
                std::size_t want = std::min<std::size_t>(length - got, kFileChunk);
                std::size_t n = ReadTable(position + got, data + got, want);
                got += n;
                if (n < want)
                    break;
            }
            field.value.SetLength(got);
        }
        position += lengths[k];
    }
}

int DatabaseTable::FindField(const std::string& name) const
{
    for (std::size_t k = 0; k < fields_.size(); ++k)
        if (fields_[k].name == name)
            return static_cast<int>(k);
    return -1;
}

const FieldValue& DatabaseTable::GetField(int index) const
{
    if (index < 0 || index >= GetFieldCount())
        throw std::invalid_argument("field index out of range");
    return fields_[static_cast<std::size_t>(index)];
}

const RecordIndexEntry& DatabaseTable::GetRecordInfo(int index) const
{
    if (index < 0 || index >= GetRecordCount())
        throw std::invalid_argument("record index out of range");
    return records_[static_cast<std::size_t>(index)];
}

const FieldValue& DatabaseTable::Field(const std::string& name) const
{
    int index = FindField(name);
    if (index < 0)
        throw std::invalid_argument("no field \"" + name + "\" in table \"" + name_ + "\"");
    return fields_[static_cast<std::size_t>(index)];
}

std::string DatabaseTable::GetFieldString(const std::string& name) const
{
    const MemoryFile& value = Field(name).value;
    return std::string(TextUpToZero(value.GetData(), value.GetSize()));
}

std::size_t DatabaseTable::CopyFieldBytes(const std::string& name, void* dest, std::size_t destSize) const
{
    const MemoryFile& value = Field(name).value;
    std::size_t n = std::min(value.GetSize(), destSize);
    if (n)
        std::memcpy(dest, value.GetData(), n);
    return n;
}

std::int32_t DatabaseTable::ReadFieldInt(const std::string& name) const
{
    unsigned char bytes[4] = {0, 0, 0, 0};
    CopyFieldBytes(name, bytes, sizeof bytes);
    return static_cast<std::int32_t>(ReadLE32(bytes));
}

std::uint32_t DatabaseTable::GetFieldLength(const std::string& name) const
{
    const FieldValue& field = Field(name);
    if (field.binary && binaryOnDisk_)
        return field.length;
    return static_cast<std::uint32_t>(field.value.GetSize());
}

bool DatabaseTable::ReadBinaryField(const std::string& name, FileBase& stream)
{
    Field(name); // an unknown name throws before the stream is touched
    if (!stream.SeekToEnd())
        return false;
    return ReadBinaryField(name, [&stream](const void* data, std::size_t size) { return stream.Write(data, size); });
}

bool DatabaseTable::ReadBinaryField(const std::string& name, const FieldSink& sink)
{
    const FieldValue& field = Field(name);
    if (!field.binary)
        return false;
    if (!binaryOnDisk_) {
        // Read with the record: hand out the copy in memory.
        const MemoryFile& value = field.value;
        if (value.GetSize() == 0)
            return false;
        for (std::size_t done = 0; done < value.GetSize(); done += kFileChunk)
            if (!sink(value.GetData() + done, std::min(kFileChunk, value.GetSize() - done)))
                return false;
        return true;
    }
    if (field.length == 0)
        return false;
    // The value was cut to the table when the record was read, so this stays inside it. A short read
    // (the file shrank) gives fewer bytes.
    std::vector<unsigned char> chunk(std::min<std::size_t>(field.length, kFileChunk));
    for (std::uint64_t done = 0; done < field.length;) {
        std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(field.length - done, kFileChunk));
        std::size_t got = file_.ReadAt(field.position + done, chunk.data(), want);
        if (got && !sink(chunk.data(), got))
            return false;
        if (got < want)
            break;
        done += got;
    }
    return true;
}
