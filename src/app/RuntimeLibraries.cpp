#include "app/RuntimeLibraries.h"

#include "app/RuntimeLibraryFile.h"
#include "db/DatabaseTable.h"

#include <stdexcept>
#include <vector>

int ExtractRuntimeLibraries(ProjectDatabase& db, const std::string& directory)
{
    if (directory.empty())
        return 0;
    DatabaseTable table;
    table.SetLoadBinaryFields(false);
    if (!table.Open(db, "runtimelib"))
        return 0;
    int written = 0;
    try {
        if (table.GetRecordCount() != 0) {
            for (table.MoveFirst(); !table.IsAtEnd(); table.MoveNext()) {
                std::string name = table.GetFieldString("name");
                std::vector<uint8_t> bytes;
                table.ReadBinaryField("libs", [&](const void* data, size_t size) {
                    const uint8_t* at = static_cast<const uint8_t*>(data);
                    bytes.insert(bytes.end(), at, at + size);
                    return true;
                });
                if (WriteRuntimeLibraryFile(directory, name, bytes.data(), bytes.size()) == LibraryWrite::Written)
                    ++written;
            }
        }
    } catch (const std::invalid_argument&) {
        // A table without the expected fields holds nothing to write.
    }
    table.Close();
    return written;
}
