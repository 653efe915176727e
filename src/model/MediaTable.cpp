#include "model/MediaTable.h"
#include "base/TextCase.h"

#include "db/ProjectDatabase.h"
#include "model/TableFields.h"
#include "platform/Paths.h"

bool MediaTable::Open()
{
    if (!db_)
        return false;
    table_.SetLoadBinaryFields(false);
    return table_.Open(*db_, "media");
}

void MediaTable::Close()
{
    if (!table_.IsClosed())
        table_.Close();
}

template <class Match> bool MediaTable::MoveToFirst(Match match)
{
    if (table_.IsClosed() || table_.GetRecordCount() == 0 || table_.FindField("name") < 0)
        return false;
    for (table_.MoveFirst(); !table_.IsAtEnd(); table_.MoveNext()) {
        if (match(LowerAnsi(table_.GetFieldString("name"))))
            return true;
    }
    return false;
}

bool MediaTable::ReadMedia(const std::string& fileName, FileBase& stream)
{
    const std::string wanted = LowerAnsi(fileName);
    if (!MoveToFirst([&](const std::string& name) { return name == wanted; }))
        return false;
    return table_.FindField("media") >= 0 && table_.ReadBinaryField("media", stream);
}

bool MediaTable::ReadMediaContaining(const std::string& path, FileBase& stream)
{
    const std::string part = LowerAnsi(FileNameOf(path));
    if (!MoveToFirst([&](const std::string& name) { return name.find(part) != std::string::npos; }))
        return false;
    return table_.FindField("media") >= 0 && table_.ReadBinaryField("media", stream);
}

std::string MediaTable::FindStoredName(const std::string& path)
{
    const std::string part = LowerAnsi(FileNameOf(path));
    if (!MoveToFirst([&](const std::string& name) { return name.find(part) != std::string::npos; }))
        return {};
    return table_.GetFieldString("name");
}

std::string MediaTable::GetStoredName(const std::string& path)
{
    return LowerAnsi(FindStoredName(path));
}
