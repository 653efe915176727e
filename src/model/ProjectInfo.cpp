#include "model/ProjectInfo.h"

#include "db/ProjectDatabase.h"
#include "model/TableFields.h"

ProjectInfo::~ProjectInfo()
{
    Close();
}

bool ProjectInfo::OpenProjectTable()
{
    if (!db_)
        return false;
    table_.SetLoadBinaryFields(false);
    return table_.Open(*db_, "project");
}

void ProjectInfo::Load()
{
    uint8_t data[ProjectOptions::kSize];
    const size_t copied = CopyRecordField(table_, "data", data, sizeof data);
    options_.Assign(data, copied);
    projectName_ = ReadTextField(table_, "projectname");
    authorName_ = ReadTextField(table_, "authorname");
    authorEmail_ = ReadTextField(table_, "authoremail");
    authorWebsite_ = ReadTextField(table_, "authorwebsite");
    version_ = ReadTextField(table_, "version");
    description_ = ReadTextField(table_, "description");
    appName_ = ReadTextField(table_, "appname");
    homeSite_ = ReadTextField(table_, "homesite");
}

void ProjectInfo::Close()
{
    if (!table_.IsClosed())
        table_.Close();
}
