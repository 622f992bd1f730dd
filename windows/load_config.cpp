// The program's load configuration: Windows 10 1607 and later load the static
// imports' own dependencies from System32 only.

#include <windows.h>

#include <cstdint>

// The 64-bit load configuration directory in its Windows 10 layout (0x138 bytes);
// mingw-w64's IMAGE_LOAD_CONFIG_DIRECTORY64 is the short form, so it is spelt out.
// Only its size and DependentLoadFlags are set. The linker does not fill the
// PE's load-config directory entry from this symbol; set_load_config.py does.
struct LoadConfig64 {
    std::uint32_t size;
    std::uint8_t upToDependentLoadFlags[0x4E - 4];
    std::uint16_t dependentLoadFlags;
    std::uint8_t rest[0x138 - 0x50];
};
static_assert(sizeof(LoadConfig64) == 0x138, "the Windows 10 load configuration size");

extern "C" __attribute__((used))
const LoadConfig64 _load_config_used = {sizeof(LoadConfig64), {}, LOAD_LIBRARY_SEARCH_SYSTEM32, {}};
