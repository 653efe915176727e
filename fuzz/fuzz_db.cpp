// Opens a database made of the fuzzer's bytes (as a file of its own and as one carried behind a program),
// opens every table both ways of loading binary values, walks every record and reads every field.
#include "FuzzInputFile.h"
#include "db/DatabaseTable.h"
#include "db/MemoryStream.h"
#include "db/ProjectDatabase.h"

#include <cstdint>
#include <string>

namespace {

void ReadEveryField(DatabaseTable& table)
{
    for (int k = 0; k < table.GetFieldCount(); ++k) {
        const std::string& name = table.GetField(k).name;
        if (table.FindField(name) != k)
            continue; // a twin name: the first one answers
        unsigned char record[164];
        table.GetFieldString(name);
        table.CopyFieldBytes(name, record, sizeof record);
        table.ReadFieldInt(name);
        std::uint64_t total = 0;
        table.ReadBinaryField(name, [&total](const void*, std::size_t size) {
            total += size;
            return true;
        });
        if (total > table.GetTableSize())
            __builtin_trap(); // a value never reaches past its table
        if (table.GetFieldLength(name) < 4096) {
            MemoryStream stream;
            table.ReadBinaryField(name, stream);
        }
    }
}

void Walk(ProjectDatabase& db, bool loadBinary)
{
    for (int i = 0; i < db.GetTableCount(); ++i) {
        DatabaseTable table;
        table.SetLoadBinaryFields(loadBinary);
        if (!table.Open(db, db.GetTable(i)))
            continue;
        int visited = 0;
        table.MoveFirst();
        while (!table.IsAtEnd() && visited < 2000) {
            ReadEveryField(table);
            table.MoveNext();
            ++visited;
        }
        table.MoveTo(table.GetRecordCount() - 1);
        table.MovePrev();
        table.MoveTo(-5);
        ReadEveryField(table);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string path = FuzzInputPath("fuzz_db") + ".scr";
    if (!WriteFuzzInput(path, data, size))
        return 0;

    ProjectDatabase db;
    if (db.Open(path, 0))
        Walk(db, size % 2 == 0);
    std::int64_t base = ReadDatabaseTrailer(path);
    if (base > 0 && db.Open(path, static_cast<std::uint32_t>(base)))
        Walk(db, size % 2 != 0);
    return 0;
}
