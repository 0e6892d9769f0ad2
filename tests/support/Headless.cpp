// Offscreen platform and a private runtime folder, unless the caller's environment names its own.
#include "support/Headless.h"

#include <cstdlib>
#include <filesystem>

namespace zoma::testing {

namespace {

bool isUnset(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr || *value == '\0';
}

}  // namespace

void prepareHeadless() {
    if (isUnset("QT_QPA_PLATFORM")) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    if (isUnset("XDG_RUNTIME_DIR")) {
        namespace fs = std::filesystem;
        const fs::path runtime = fs::temp_directory_path() / "zoma-runtime";
        std::error_code ignored;
        fs::create_directories(runtime, ignored);
        fs::permissions(runtime, fs::perms::owner_all, fs::perm_options::replace, ignored);
        ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    }
}

}  // namespace zoma::testing
