#include "model/TableFields.h"

#include "db/DatabaseTable.h"

namespace {
bool Readable(const DatabaseTable& table, const std::string& name)
{
    return !table.IsClosed() && table.GetCurrentIndex() >= 0 && table.FindField(name) >= 0;
}
} // namespace

std::string ReadTextField(const DatabaseTable& table, const std::string& name)
{
    return Readable(table, name) ? table.GetFieldString(name) : std::string();
}

size_t CopyRecordField(const DatabaseTable& table, const std::string& name, void* dest, size_t size)
{
    return Readable(table, name) ? table.CopyFieldBytes(name, dest, size) : 0;
}
