#include "platform/library.h"

#include <dlfcn.h>

namespace fernwick::platform {

LibraryHandle LoadLibraryA(const Text& name)
{
    // dlopen(nullptr) would hand out the program itself; an empty name loads nothing.
    if (name.empty())
        return nullptr;
    return static_cast<LibraryHandle>(dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL));
}

LibraryFunction GetProcAddress(LibraryHandle library, const Text& name)
{
    if (library == nullptr || name.empty())
        return nullptr;
    // POSIX guarantees that a found symbol's address converts to a function pointer.
    return reinterpret_cast<LibraryFunction>(dlsym(library, name.c_str()));
}

bool FreeLibrary(LibraryHandle library)
{
    return library != nullptr && dlclose(library) == 0;
}

} // namespace fernwick::platform
