#pragma once
#include <string>
#include <vector>

// Shared libraries opened while the program runs, for the features that most runs never use (video and sound
// decoding, picture conversion at pack time): loading them and their dependencies would otherwise cost every
// start. Once opened they stay loaded for the life of the process, since their code and threads may still be
// in use when anything could close them.
class CSharedLibraries {
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

private:
    std::string Names() const;

    std::vector<void*> handles_;
    std::vector<std::string> names_;
};
