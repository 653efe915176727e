// Reading speed of the project database:
//   open + walk of a 10,000-record table (goal: under 20 ms);
//   copying a 200 MB binary value to a file, next to `cat` copying the same bytes (goal: at least 70%).
// Files go to $TMPDIR (or /tmp).
#include "db/DatabaseTable.h"
#include "db/DatabaseWriter.h"
#include "db/DiskFile.h"
#include "db/ProjectDatabase.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

constexpr int kRecords = 10000;
constexpr std::size_t kMediaBytes = 200u << 20;

std::string TempFile(const std::string& name)
{
    const char* dir = std::getenv("TMPDIR");
    return std::string(dir && *dir ? dir : "/tmp") + "/qm_bench_db_" + std::to_string(getpid()) + "_" + name;
}

struct Files {
    std::string records = TempFile("records.db");
    std::string payload = TempFile("payload.bin");
    std::string media = TempFile("media.db");
    std::string copy = TempFile("copy.bin");

    Files()
    {
        TableContent setting("setting", {"data", "filename", "title", "desc", "effect"});
        for (int i = 0; i < kRecords; ++i)
            setting.AddRecord({std::string(164, static_cast<char>(i)), "picture" + std::to_string(i) + ".jpg",
                               "Title " + std::to_string(i), "A description of the picture", "0;1;2;3;"});
        if (!WriteDatabaseFile(records, {setting}))
            std::abort();

        DiskFile out;
        if (!out.Open(payload, DiskFile::kModeWrite | DiskFile::kModeCreate))
            std::abort();
        std::string chunk(1 << 20, '\0');
        for (std::size_t i = 0; i < chunk.size(); ++i)
            chunk[i] = static_cast<char>(i * 131 + (i >> 9));
        for (std::size_t done = 0; done < kMediaBytes; done += chunk.size())
            out.Write(chunk.data(), chunk.size());
        out.Close();
        TableContent mediaTable("media", {"name", "media"}, {false, true});
        mediaTable.AddRecord({"movie.avi", TableValue::FromFile(payload)});
        if (!WriteDatabaseFile(media, {mediaTable}))
            std::abort();
    }
    ~Files()
    {
        for (const auto* path : {&records, &payload, &media, &copy})
            std::remove(path->c_str());
    }
};

Files& TheFiles()
{
    static Files files;
    return files;
}

// Opens a table the way every reader of the program does.
void OpenTable(ProjectDatabase& db, DatabaseTable& table, const std::string& path, const char* name)
{
    db.Open(path, 0);
    table.SetLoadBinaryFields(false);
    table.Open(db, name);
}

void BM_OpenAndWalk10000Records(benchmark::State& state)
{
    const Files& files = TheFiles();
    for (auto _ : state) {
        ProjectDatabase db;
        DatabaseTable table;
        OpenTable(db, table, files.records, "setting");
        unsigned char record[164];
        std::size_t seen = 0;
        table.MoveFirst();
        while (!table.IsAtEnd()) {
            table.CopyFieldBytes("data", record, sizeof record);
            seen += table.GetFieldString("filename").size() + table.GetFieldString("effect").size();
            table.MoveNext();
        }
        if (table.GetCurrentIndex() != kRecords - 1)
            state.SkipWithError("not every record was visited");
        benchmark::DoNotOptimize(seen);
    }
}
BENCHMARK(BM_OpenAndWalk10000Records)->Unit(benchmark::kMillisecond);

void BM_CopyBinaryFieldToFile(benchmark::State& state)
{
    const Files& files = TheFiles();
    for (auto _ : state) {
        ProjectDatabase db;
        DatabaseTable table;
        OpenTable(db, table, files.media, "media");
        DiskFile out;
        out.Open(files.copy, DiskFile::kModeWrite | DiskFile::kModeCreate);
        if (!table.ReadBinaryField("media", out) || out.GetLength() != kMediaBytes)
            state.SkipWithError("copy failed");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kMediaBytes));
}
BENCHMARK(BM_CopyBinaryFieldToFile)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_CatSameBytes(benchmark::State& state)
{
    const Files& files = TheFiles();
    const std::string command = "cat '" + files.payload + "' > '" + files.copy + "'";
    for (auto _ : state)
        if (std::system(command.c_str()) != 0)
            state.SkipWithError("cat failed");
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kMediaBytes));
}
BENCHMARK(BM_CatSameBytes)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
