#pragma once

// A holder for one module image mapped from memory. The program state owns
// one for the skin engine; it is created holding no module, and destroying
// it leaves any mapped module in place until the process ends.

namespace fernwick {

// The base address of a module mapped from memory; null when there is none.
using MemoryModule = void*;

class MemoryLibrary {
public:
    MemoryLibrary() = default;
    MemoryLibrary(const MemoryLibrary&) = delete;
    MemoryLibrary& operator=(const MemoryLibrary&) = delete;

    MemoryModule module() const { return module_; }

private:
    MemoryModule module_ = nullptr;
};

} // namespace fernwick
