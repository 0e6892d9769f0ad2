// dlopen of the TCP line's module by its full path: beside the installed program, or in a folder
// of the program's library search path (its run path in the build tree).
#include "platform/qt/TcpLineLoader.h"

#include <dlfcn.h>
#include <unistd.h>

#include <QCoreApplication>
#include <cstddef>
#include <vector>

namespace zoma {

namespace {

constexpr const char* kModuleName = "libzoma-tcp-line.so";

// The folders the dynamic loader searches for this program's own libraries, its run path among
// them. Asked of the loader rather than left to dlopen by bare name, which searches the run path
// of its caller: under a sanitizer that is the sanitizer's runtime, not the program.
std::vector<std::string> librarySearchPath() {
    void* program = ::dlopen(nullptr, RTLD_NOW);
    Dl_serinfo size{};
    if (program == nullptr || ::dlinfo(program, RTLD_DI_SERINFOSIZE, &size) != 0) return {};
    std::vector<std::max_align_t> storage(size.dls_size / sizeof(std::max_align_t) + 1);
    auto* info = reinterpret_cast<Dl_serinfo*>(storage.data());
    ::dlinfo(program, RTLD_DI_SERINFOSIZE, info);
    if (::dlinfo(program, RTLD_DI_SERINFO, info) != 0) return {};
    std::vector<std::string> folders;
    for (unsigned int i = 0; i < info->dls_cnt; ++i) {
        folders.emplace_back(info->dls_serpath[i].dls_name);
    }
    return folders;
}

// Where the module may be, the installed place first.
std::vector<std::string> candidates() {
    std::vector<std::string> paths;
    // Installed, it is at a fixed place from the program's folder (ZOMA_TCP_LINE_MODULE is
    // relative, so the installed tree may move); the installed program has no run path to it.
    if (QCoreApplication::instance() != nullptr) {
        paths.push_back(QCoreApplication::applicationDirPath().toStdString() + '/' +
                        ZOMA_TCP_LINE_MODULE);
    }
    for (const std::string& folder : librarySearchPath()) {
        paths.push_back(folder + '/' + kModuleName);
    }
    return paths;
}

// Loaded once and never closed: the lines it made live as long as the program.
void* loadModule(std::string& error) {
    static void* module = nullptr;
    if (module != nullptr) return module;
    const std::vector<std::string> paths = candidates();
    for (const std::string& path : paths) {
        if (::access(path.c_str(), F_OK) != 0) continue;
        module = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (module != nullptr) return module;
        // Found but not loadable (a library it needs is missing): that says most.
        const char* why = ::dlerror();
        error = why != nullptr ? why : path;
        return nullptr;
    }
    error = std::string(kModuleName) + " is not installed";
    if (!paths.empty()) error += " (looked for " + paths.front() + ")";
    return nullptr;
}

}  // namespace

std::unique_ptr<QtLine> makeTcpLine(std::string& error) {
    void* module = loadModule(error);
    if (module == nullptr) return nullptr;
    using NewTcpLine = QtLine* (*)();
    const auto newTcpLine = reinterpret_cast<NewTcpLine>(::dlsym(module, "zomaNewTcpLine"));
    if (newTcpLine == nullptr) {
        error = ::dlerror();
        return nullptr;
    }
    return std::unique_ptr<QtLine>(newTcpLine());
}

}  // namespace zoma
