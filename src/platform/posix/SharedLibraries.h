#pragma once
#include <memory>
#include <string>
#include <vector>

// Shared libraries opened while the program runs, for the features that most runs never use (video and sound
// decoding, picture conversion at pack time): loading them and their dependencies would otherwise cost every
// start. Once opened they stay loaded for the life of the process, since their code and threads may still be
// in use when anything could close them.
class SharedLibraries {
public:
    // Opens every library named (sonames such as "libavutil.so.57"). False with the system's message, which
    // names the library, at the first that cannot be opened; those opened before it are closed again.
    bool Open(const std::vector<std::string>& sonames, std::string& error);

    // The address of a function in any of the libraries, the first library first; null when none has it.
    void* Find(const char* name) const;

    // Fills a function pointer of the function's own type; false with an error naming it when it is missing.
    template <class Function> bool Find(const char* name, Function*& into, std::string& error) const
    {
        into = reinterpret_cast<Function*>(Find(name));
        if (!into)
            error = std::string("no function ") + name + " in " + Names();
        return into != nullptr;
    }

    // "a,b,c" as its names, for lists the build passes in one definition.
    static std::vector<std::string> SonameList(const std::string& commaSeparated);

private:
    std::string Names() const;

    std::vector<void*> handles_;
    std::vector<std::string> names_;
};

// A table of functions (a struct of function pointers) from libraries opened for it: `find` fills it from
// the libraries, returning false with the error of the first function missing. Null with the reason when a
// library or function is missing.
template <class Table, class Find>
std::unique_ptr<const Table> LoadFunctionTable(const std::vector<std::string>& sonames, std::string& error, Find find)
{
    SharedLibraries libraries;
    if (!libraries.Open(sonames, error))
        return nullptr;
    auto table = std::make_unique<Table>();
    if (!find(libraries, *table, error))
        return nullptr;
    return table;
}

// A table as loaded, or the reason it could not be.
template <class Table> struct LoadedFunctionTable {
    std::unique_ptr<const Table> functions;
    std::string error;
};

// The same, with the reason kept beside the table (for a table loaded once and kept).
template <class Table, class Find>
LoadedFunctionTable<Table> LoadFunctionTable(const std::vector<std::string>& sonames, Find find)
{
    LoadedFunctionTable<Table> loaded;
    loaded.functions = LoadFunctionTable<Table>(sonames, loaded.error, find);
    return loaded;
}

// One line of a `find` for LoadFunctionTable: fills table.name from the libraries or fails with the error.
#define QM_FIND_FUNCTION(name)                                                                                         \
    if (!libraries.Find(#name, table.name, error))                                                                     \
        return false;
