#pragma once
#include <cstddef>
#include <string>

class DatabaseTable;

// The twelve text fields of a "setting" record, in stored order after "data".
inline const char* const kSettingTextFields[] = {
    "filename",     "title",         "titlefontname",  "titlefontstyle", "desc",
    "descfontname", "descfontstyle", "gradientstring", "effect",         "selectedimagebackgroundstring",
    "bindsound",    "accfile"};

// The text fields of the "project" record, in stored order between "data" and "banner".
inline const char* const kProjectTextFields[] = {
    "appname",     "homesite",     "projectpath", "projectname", "dialogpicture", "authorname", "authorwebsite",
    "authoremail", "aboutpicture", "version",     "copyright",   "description",   "projectdesc"};

// Field reads for the model: a table that is not open, has no current record or lacks the field gives an
// empty value instead of a failure, so a damaged project plays with its plain settings.
std::string ReadTextField(const DatabaseTable& table, const std::string& name);
// Copies the stored value over dest (cut to size); returns the bytes copied.
size_t CopyRecordField(const DatabaseTable& table, const std::string& name, void* dest, size_t size);
