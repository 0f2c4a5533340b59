#pragma once

// Loading shared libraries and finding their functions by name, in the shape
// of the Windows calls the program was written against, over dlopen/dlsym.

#include "platform/text.h"

namespace fernwick::platform {

struct LoadedLibrary;
using LibraryHandle = LoadedLibrary*;
// The address of a found function, to be converted to its real type by the caller.
using LibraryFunction = void (*)();

// Loads the named library (a file name searched the system's usual way, or a
// path); null when it cannot be loaded or the name is empty.
LibraryHandle LoadLibraryA(const Text& name);
// The named function of a loaded library; null when absent or the library is null.
LibraryFunction GetProcAddress(LibraryHandle library, const Text& name);
// Releases one load of the library; false for a null handle or a failed release.
bool FreeLibrary(LibraryHandle library);

} // namespace fernwick::platform
