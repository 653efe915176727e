#pragma once
#include <cstddef>
#include <string>

class CMyXMLTable;

// Field reads for the model: a table that is not open, has no current record or lacks the field gives an
// empty value instead of a failure, so a damaged project plays with its plain settings.
std::string ReadTextField(const CMyXMLTable& table, const std::string& name);
// Copies the stored value over dest (cut to size); returns the bytes copied.
size_t CopyRecordField(const CMyXMLTable& table, const std::string& name, void* dest, size_t size);

// Names compare case-insensitively by lower-casing both sides.
std::string ToLowerAscii(std::string text);
