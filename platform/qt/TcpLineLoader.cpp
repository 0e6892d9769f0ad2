// dlopen of the TCP line's module: beside the installed program, or through the build tree's
// run path.
#include "platform/qt/TcpLineLoader.h"

#include <dlfcn.h>

#include <QCoreApplication>

namespace zoma {

namespace {

constexpr const char* kModuleName = "libzoma-tcp-line.so";

// Loaded once and never closed: the lines it made live as long as the program.
void* loadModule(std::string& error) {
    static void* module = nullptr;
    if (module != nullptr) return module;
    // Installed, the module is at a fixed place from the program's folder (ZOMA_TCP_LINE_MODULE,
    // relative, so the installed tree may move). Run from the build tree, the program finds it
    // by name along the run path the build gives it; the installed program has none.
    std::string candidates[2];
    if (QCoreApplication::instance() != nullptr) {
        candidates[0] =
            QCoreApplication::applicationDirPath().toStdString() + '/' + ZOMA_TCP_LINE_MODULE;
    }
    candidates[1] = kModuleName;
    for (const std::string& candidate : candidates) {
        if (candidate.empty()) continue;
        module = ::dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (module != nullptr) return module;
        // The installed place's words say most (a library the module needs is missing).
        const char* why = ::dlerror();
        if (error.empty() && why != nullptr) error = why;
    }
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
