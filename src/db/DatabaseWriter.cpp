#include "db/DatabaseWriter.h"

#include "base/ByteOrder.h"

#include "db/DiskFile.h"
#include "db/ProjectDatabase.h"
#include "platform/Process.h"
#include "platform/SystemError.h"
#include "platform/TemporaryPaths.h"

#include <cstdio>
#include <set>

namespace {

constexpr std::uint64_t kMaxPosition = 0xFFFFFFFFu;
constexpr std::string_view kIndexEnd = "</recordinfo><data>";

struct WriteError {
    std::string message;
};

[[noreturn]] void Fail(std::string message)
{
    throw WriteError{std::move(message)};
}

// Collects small pieces and writes them to the file in chunks of up to 64 KiB.
// Failures name the target the user asked for, not the file beside it that is written first, and say why.
class OutputFile {
public:
    explicit OutputFile(std::string target) : target_(std::move(target)) { }
    bool Open(const std::string& path)
    {
        return file_.Open(path, DiskFile::kModeRead | DiskFile::kModeWrite | DiskFile::kModeCreate);
    }
    [[noreturn]] void FailWrite() const { Fail("cannot write " + target_ + ": " + LastSystemErrorText()); }
    std::uint64_t Position() const { return file_.GetPosition() + buffer_.size(); }
    DiskFile& File() { return file_; }

    void Append(const void* data, std::size_t size)
    {
        if (buffer_.size() + size > kFileChunk)
            Flush();
        if (size >= kFileChunk) {
            if (!file_.Write(data, size))
                FailWrite();
            return;
        }
        buffer_.append(static_cast<const char*>(data), size);
    }
    void Append(std::string_view text) { Append(text.data(), text.size()); }
    void AppendU32(std::uint32_t v)
    {
        std::uint8_t b[4];
        WriteLE32(b, v);
        Append(b, 4);
    }
    // size bytes of the file at path from offset, copied in chunks.
    void AppendFrom(const std::string& path, std::uint64_t offset, std::uint64_t size)
    {
        Flush();
        DiskFile source;
        if (!source.Open(path, DiskFile::kModeRead))
            Fail("cannot open " + path);
        if (CopyFileRange(source, offset, size, file_) != size)
            Fail("cannot copy " + std::to_string(size) + " bytes from " + path + " into " + target_ + ": " +
                 LastSystemErrorText());
    }
    void Flush()
    {
        if (!buffer_.empty() && !file_.Write(buffer_.data(), buffer_.size()))
            FailWrite();
        buffer_.clear();
    }
    void SeekTo(std::uint64_t position)
    {
        Flush();
        if (!file_.Seek(position))
            FailWrite();
    }

private:
    std::string target_;
    DiskFile file_;
    std::string buffer_;
};

void CheckName(const std::string& name, const char* what)
{
    if (name.empty())
        Fail(std::string("empty ") + what + " name");
    if (name.find_first_of(std::string(",<>\0", 4)) != std::string::npos)
        Fail(std::string(what) + " name \"" + name + "\" holds a character that names cannot hold (, < > or zero)");
}

std::string Join(const std::vector<std::string>& pieces)
{
    std::string text;
    for (std::size_t i = 0; i < pieces.size(); ++i)
        text += (i ? "," : "") + pieces[i];
    return text;
}

std::string Number10(std::uint64_t value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%10llu", static_cast<unsigned long long>(value));
    return text;
}

std::string Header(const std::vector<std::string>& names, const std::vector<std::uint64_t>& starts,
                   const std::vector<std::uint64_t>& sizes)
{
    std::vector<std::string> p, s;
    for (std::size_t i = 0; i < names.size(); ++i) {
        p.push_back(Number10(starts[i]));
        s.push_back(Number10(sizes[i]));
    }
    return "<database><tables>" + Join(names) + "</tables><tablestartpos>" + Join(p) + "</tablestartpos><tablesize>" +
        Join(s) + "</tablesize></database>";
}

// A table checked and measured before anything is written.
struct PlannedTable {
    const TableContent* table = nullptr;
    std::string head;                                // up to and including "<recordinfo>"
    std::vector<std::vector<std::uint64_t>> lengths; // per record, per field
    std::vector<std::uint32_t> sizes;                // per record
};

std::uint64_t ValueLength(const TableValue& value)
{
    if (!value.IsFile())
        return value.bytes.size();
    std::int64_t fileSize = DiskFile::SizeOf(value.sourcePath);
    if (fileSize < 0)
        Fail("cannot open " + value.sourcePath);
    auto size = static_cast<std::uint64_t>(fileSize);
    if (value.sourceOffset > size)
        Fail(value.sourcePath + " is shorter than the value's offset");
    std::uint64_t length = value.sourceLength.value_or(size - value.sourceOffset);
    if (length > size - value.sourceOffset)
        Fail(value.sourcePath + " is shorter than the value");
    return length;
}

PlannedTable Plan(const TableContent& table)
{
    PlannedTable plan;
    plan.table = &table;
    CheckName(table.name, "table");
    std::set<std::string> seen;
    for (const auto& field : table.fields) {
        CheckName(field, "field");
        if (!seen.insert(field).second)
            Fail("table \"" + table.name + "\" has two fields named \"" + field + "\"");
    }
    if (table.binary.size() > table.fields.size())
        Fail("table \"" + table.name + "\" has more binary flags than fields");
    if (table.records.size() > 0x7FFFFFFF)
        Fail("table \"" + table.name + "\" has too many records");
    std::string flags;
    for (std::size_t k = 0; k < table.fields.size(); ++k)
        flags += k < table.binary.size() && table.binary[k] ? '1' : '0';
    plan.head = "<" + table.name + "><head><fields>" + Join(table.fields) + "</fields><binfields>" + flags +
        "</binfields><recordcount>" + std::to_string(table.records.size()) + "</recordcount></head><recordinfo>";
    if (plan.head.size() > ProjectDatabase::kHeadBytes)
        Fail("the head of table \"" + table.name + "\" is longer than " + std::to_string(ProjectDatabase::kHeadBytes) +
             " bytes");

    std::uint64_t offset = plan.head.size() + 8 * table.records.size() + kIndexEnd.size();
    for (std::size_t r = 0; r < table.records.size(); ++r) {
        const auto& record = table.records[r];
        if (record.size() != table.fields.size())
            Fail("record " + std::to_string(r) + " of table \"" + table.name + "\" has " +
                 std::to_string(record.size()) + " values for " + std::to_string(table.fields.size()) + " fields");
        std::vector<std::uint64_t> lengths;
        std::uint64_t size = 4 * record.size();
        for (const auto& value : record) {
            lengths.push_back(ValueLength(value));
            size += lengths.back();
        }
        if (size > kMaxPosition || offset > kMaxPosition)
            Fail("table \"" + table.name + "\" is larger than 4 GiB");
        plan.lengths.push_back(std::move(lengths));
        plan.sizes.push_back(static_cast<std::uint32_t>(size));
        offset += size;
    }
    return plan;
}

void WriteTable(OutputFile& out, const PlannedTable& plan)
{
    const TableContent& table = *plan.table;
    out.Append(plan.head);
    std::uint64_t offset = plan.head.size() + 8 * table.records.size() + kIndexEnd.size();
    for (std::uint32_t size : plan.sizes) {
        out.AppendU32(static_cast<std::uint32_t>(offset));
        out.AppendU32(size);
        offset += size;
    }
    out.Append(kIndexEnd);
    for (std::size_t r = 0; r < table.records.size(); ++r) {
        for (std::uint64_t length : plan.lengths[r])
            out.AppendU32(static_cast<std::uint32_t>(length));
        for (std::size_t k = 0; k < table.records[r].size(); ++k) {
            const TableValue& value = table.records[r][k];
            if (value.IsFile())
                out.AppendFrom(value.sourcePath, value.sourceOffset, plan.lengths[r][k]);
            else
                out.Append(value.bytes);
        }
    }
    out.Append("</data></" + table.name + ">");
}

std::string FolderOf(const std::string& path)
{
    for (std::size_t i = path.size(); i > 0; --i)
        if (IsPathSeparator(path[i - 1]))
            return path.substr(0, i);
    return {};
}

bool Report(std::string* error, const std::string& message)
{
    if (error)
        *error = message;
    return false;
}

} // namespace

TableValue TableValue::FromFile(std::string path, std::uint64_t offset, std::optional<std::uint64_t> length)
{
    TableValue value;
    value.sourcePath = std::move(path);
    value.sourceOffset = offset;
    value.sourceLength = length;
    return value;
}

void DatabaseWriter::SetLeadingBytes(std::string path, std::optional<std::uint64_t> count)
{
    leadingPath_ = std::move(path);
    leadingCount_ = count;
    trailer_ = true;
}

void DatabaseWriter::AddTable(TableContent table)
{
    Entry entry;
    entry.name = table.name;
    entry.content = std::move(table);
    tables_.push_back(std::move(entry));
}

void DatabaseWriter::AddStoredTable(std::string name, std::string path, std::uint64_t offset, std::uint64_t size)
{
    Entry entry;
    entry.name = std::move(name);
    entry.path = std::move(path);
    entry.offset = offset;
    entry.size = size;
    tables_.push_back(std::move(entry));
}

bool DatabaseWriter::Write(const std::string& targetPath, std::string* error) const
{
    const std::string pending = PendingDatabasePath(targetPath);
    if (pending == targetPath)
        return Report(error, "cannot write a database over its own temporary file " + pending);
    bool started = false;
    OutputFile out(targetPath);
    try {
        std::vector<std::string> names;
        std::vector<PlannedTable> plans(tables_.size());
        for (std::size_t i = 0; i < tables_.size(); ++i) {
            CheckName(tables_[i].name, "table");
            names.push_back(tables_[i].name);
            if (tables_[i].content)
                plans[i] = Plan(*tables_[i].content);
            else if (tables_[i].path == pending)
                Fail("a table cannot come from the temporary file " + pending);
        }
        std::vector<std::uint64_t> starts(names.size(), 0), sizes(names.size(), 0);
        std::string header = Header(names, starts, sizes);
        if (header.size() > ProjectDatabase::kHeadBytes)
            Fail("the database header is longer than " + std::to_string(ProjectDatabase::kHeadBytes) + " bytes");

        std::uint64_t base = 0;
        if (!leadingPath_.empty()) {
            std::int64_t size = DiskFile::SizeOf(leadingPath_);
            if (size < 0)
                Fail("cannot open " + leadingPath_);
            base = leadingCount_.value_or(static_cast<std::uint64_t>(size));
            if (base > static_cast<std::uint64_t>(size))
                Fail(leadingPath_ + " is shorter than the bytes to keep before the database");
            if (base > kMaxPosition)
                Fail(leadingPath_ + " is too large to carry a database");
        }

        // Noted before it exists, so that an interrupt finds it.
        AddTemporaryPath(pending);
        started = true;
        if (!out.Open(pending))
            out.FailWrite();
        if (base)
            out.AppendFrom(leadingPath_, 0, base);
        out.Append(header);
        for (std::size_t i = 0; i < tables_.size(); ++i) {
            starts[i] = out.Position() - base;
            if (tables_[i].content)
                WriteTable(out, plans[i]);
            else
                out.AppendFrom(tables_[i].path, tables_[i].offset, tables_[i].size);
            sizes[i] = out.Position() - base - starts[i];
            if (base + starts[i] + sizes[i] > kMaxPosition)
                Fail("the database would reach past 4 GiB");
        }
        std::uint64_t end = out.Position();
        // The numbers are of fixed width, so the final header covers the first exactly.
        out.SeekTo(base);
        out.Append(Header(names, starts, sizes));
        out.SeekTo(end);
        if (trailer_)
            out.AppendU32(static_cast<std::uint32_t>(base));
        out.Flush();
        out.File().Close();
        if (!DiskFile::Replace(pending, targetPath))
            out.FailWrite();
        RemoveTemporaryPath(pending);
        return true;
    } catch (const WriteError& e) {
        out.File().Close();
        if (started) {
            DiskFile::Remove(pending);
            RemoveTemporaryPath(pending);
        }
        return Report(error, e.message);
    }
}

bool WriteDatabaseFile(const std::string& path, std::vector<TableContent> tables, std::string* error)
{
    DatabaseWriter writer;
    for (auto& table : tables)
        writer.AddTable(std::move(table));
    return writer.Write(path, error);
}

bool AttachDatabase(const std::string& exePath, const std::string& outPath, std::vector<TableContent> tables,
                    std::string* error)
{
    DatabaseWriter writer;
    writer.SetLeadingBytes(exePath);
    for (auto& table : tables)
        writer.AddTable(std::move(table));
    return writer.Write(outPath, error);
}

bool WriteTableFile(const TableContent& table, const std::string& path, std::string* error)
{
    OutputFile out(path);
    bool started = false;
    try {
        PlannedTable plan = Plan(table);
        if (!out.Open(path))
            out.FailWrite();
        started = true;
        WriteTable(out, plan);
        out.Flush();
        out.File().Close();
        return true;
    } catch (const WriteError& e) {
        out.File().Close();
        if (started)
            DiskFile::Remove(path);
        return Report(error, e.message);
    }
}

bool RebuildDatabase(const std::string& path, std::uint32_t base, std::string* error)
{
    ProjectDatabase db;
    if (!db.Open(path, base) || !DiskFile::Exists(path))
        return Report(error, "cannot open " + path);
    if (!db.HasHeader())
        return Report(error, "no database at offset " + std::to_string(base) + " of " + path);
    DatabaseWriter writer;
    if (base) {
        writer.SetLeadingBytes(path, base);
    }
    std::vector<std::string> prepared;
    for (int i = 0; i < db.GetTableCount(); ++i) {
        const TableDirectoryEntry* entry = db.GetTable(i);
        std::string preparedPath = PreparedTablePath(path, entry->name);
        std::int64_t preparedSize = entry->name.empty() ? -1 : DiskFile::SizeOf(preparedPath);
        if (preparedSize >= 0) {
            writer.AddStoredTable(entry->name, preparedPath, 0, static_cast<std::uint64_t>(preparedSize));
            prepared.push_back(preparedPath);
        } else if (entry->start < 0 || entry->size < 0) {
            return Report(error, "table \"" + entry->name + "\" has no valid position or size");
        } else {
            writer.AddStoredTable(entry->name, path, base + static_cast<std::uint64_t>(entry->start),
                                  static_cast<std::uint64_t>(entry->size));
        }
    }
    if (!writer.Write(path, error))
        return false;
    for (const auto& file : prepared)
        DiskFile::Remove(file);
    return true;
}

std::string PendingDatabasePath(const std::string& path)
{
    std::string folder = FolderOf(path);
    std::string name = path.substr(folder.size());
    std::size_t dot = name.rfind('.');
    return folder + (dot == std::string::npos ? name : name.substr(0, dot)) + ".db_";
}

std::string PreparedTablePath(const std::string& databasePath, const std::string& tableName)
{
    return FolderOf(databasePath) + tableName + ".m__";
}
