#include "platform/posix/SharedLibraries.h"

#include <dlfcn.h>

#include <sstream>

bool SharedLibraries::Open(const std::vector<std::string>& sonames, std::string& error)
{
    std::vector<void*> opened;
    for (const std::string& name : sonames) {
        // Local: the functions are looked up here only, and never interpose on anything the program has.
        void* handle = dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!handle) {
            const char* reason = dlerror();
            error = reason ? reason : "cannot open " + name;
            for (void* h : opened)
                dlclose(h);
            return false;
        }
        opened.push_back(handle);
    }
    handles_.insert(handles_.end(), opened.begin(), opened.end());
    names_.insert(names_.end(), sonames.begin(), sonames.end());
    return true;
}

void* SharedLibraries::Find(const char* name) const
{
    for (void* handle : handles_) {
        if (void* address = dlsym(handle, name))
            return address;
    }
    return nullptr;
}

std::string SharedLibraries::Names() const
{
    std::string names;
    for (const std::string& name : names_)
        names += (names.empty() ? "" : ", ") + name;
    return names.empty() ? "no library" : names;
}

std::vector<std::string> SharedLibraries::SonameList(const std::string& commaSeparated)
{
    std::vector<std::string> names;
    std::istringstream list(commaSeparated);
    for (std::string name; std::getline(list, name, ',');) {
        if (!name.empty())
            names.push_back(name);
    }
    return names;
}
