#include "OrbsolveLoader.h"

#include <dlfcn.h>
#include <unistd.h>

#include <climits>

#include "platform/RunTimeError.h"

namespace orbsolve {
namespace {

struct Binding {
    std::string file_name = kLibraryFileName;
    void* handle = nullptr;
    KeplerCometFn comet = nullptr;
    KeplerAsteroidFn asteroid = nullptr;
};

Binding& State() {
    static Binding binding;
    return binding;
}

void* OpenLibrary(const std::string& file_name) {
    if (file_name.find('/') == std::string::npos) {
        if (void* h = dlopen((ExecutableFolder() + file_name).c_str(), RTLD_NOW | RTLD_LOCAL)) return h;
    }
    return dlopen(file_name.c_str(), RTLD_NOW | RTLD_LOCAL);
}

void* Bind(const char* entry) {
    Binding& b = State();
    if (!b.handle) {
        b.handle = OpenLibrary(b.file_name);
        if (!b.handle) {
            throw platform::RunTimeError("궤도 계산 라이브러리 파일을 찾을 수 없습니다: " + b.file_name);
        }
    }
    void* fn = dlsym(b.handle, entry);
    if (!fn) {
        throw platform::RunTimeError("궤도 계산 라이브러리 " + b.file_name + "에 함수 " + entry + "이(가) 없습니다.");
    }
    return fn;
}

}  // namespace

std::string ExecutableFolder() {
    char path[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0) return "./";
    std::string s(path, static_cast<size_t>(n));
    return s.substr(0, s.rfind('/') + 1);
}

int32_t CallKeplerComet(KeplerCometBlock& block) {
    Binding& b = State();
    if (!b.comet) b.comet = reinterpret_cast<KeplerCometFn>(Bind("KeplerComet"));
    return b.comet(&block);
}

int32_t CallKeplerAsteroid(KeplerAsteroidBlock& block) {
    Binding& b = State();
    if (!b.asteroid) b.asteroid = reinterpret_cast<KeplerAsteroidFn>(Bind("KeplerAsteroid"));
    return b.asteroid(&block);
}

void ResetOrbsolveBinding(const std::string& file_name) {
    Binding& b = State();
    if (b.handle) dlclose(b.handle);
    b = Binding{};
    b.file_name = file_name;
}

}  // namespace orbsolve
