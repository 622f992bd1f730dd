// The program's load configuration: Windows 10 1607 and later load the static
// imports' own dependencies from System32 only.

#include <windows.h>

#include <cstddef>
#include <cstdint>

// The load configuration directory in its Windows 10 layout, up to and with
// CastGuardOsDeterminedFailureMode: 0x138 bytes in a 64-bit program
// (IMAGE_LOAD_CONFIG_DIRECTORY64), 0xBC in a 32-bit one (IMAGE_LOAD_CONFIG_DIRECTORY32,
// whose pointer-sized fields are 4 bytes). mingw-w64's structures are the short forms,
// so the layout is spelt out. Only the size and DependentLoadFlags are set; in the
// 32-bit one SEHandlerTable and SEHandlerCount stay 0, as the program is linked with
// NO_SEH and registers no frame handler. The linker does not fill the PE's load-config
// directory entry from this symbol; set_load_config.py does.
#ifdef _WIN64
constexpr std::size_t dependentLoadFlagsOffset = 0x4E;
constexpr std::size_t loadConfigSize = 0x138;
#else
constexpr std::size_t dependentLoadFlagsOffset = 0x36;
constexpr std::size_t loadConfigSize = 0xBC;
#endif

struct LoadConfig {
    std::uint32_t size;
    std::uint8_t upToDependentLoadFlags[dependentLoadFlagsOffset - 4];
    std::uint16_t dependentLoadFlags;
    std::uint8_t rest[loadConfigSize - dependentLoadFlagsOffset - 2];
};
static_assert(sizeof(LoadConfig) == loadConfigSize, "the Windows 10 load configuration size");
static_assert(offsetof(LoadConfig, dependentLoadFlags) == dependentLoadFlagsOffset,
              "DependentLoadFlags where Windows reads it");

// In C the name is _load_config_used on both; the 32-bit object symbol carries the
// i686 underscore, __load_config_used.
extern "C" __attribute__((used))
const LoadConfig _load_config_used = {sizeof(LoadConfig), {}, LOAD_LIBRARY_SEARCH_SYSTEM32, {}};
