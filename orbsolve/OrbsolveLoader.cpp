#include "OrbsolveLoader.h"

#include <dlfcn.h>
#include <unistd.h>

#include <atomic>
#include <climits>
#include <mutex>

#include "platform/RunTimeError.h"

namespace orbsolve {
namespace {

// The entry points are bound once, whichever thread asks first: the lock
// covers binding, the atomics the calls that follow.
struct Binding {
    std::mutex lock;
    std::string file_name = kLibraryFileName;
    void* handle = nullptr;
    std::atomic<KeplerCometFn> comet{nullptr};
    std::atomic<KeplerAsteroidFn> asteroid{nullptr};
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

// Called with the binding's lock held.
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
    KeplerCometFn fn = b.comet.load(std::memory_order_acquire);
    if (!fn) {
        const std::lock_guard<std::mutex> hold(b.lock);
        fn = b.comet.load(std::memory_order_relaxed);
        if (!fn) {
            fn = reinterpret_cast<KeplerCometFn>(Bind("KeplerComet"));
            b.comet.store(fn, std::memory_order_release);
        }
    }
    return fn(&block);
}

int32_t CallKeplerAsteroid(KeplerAsteroidBlock& block) {
    Binding& b = State();
    KeplerAsteroidFn fn = b.asteroid.load(std::memory_order_acquire);
    if (!fn) {
        const std::lock_guard<std::mutex> hold(b.lock);
        fn = b.asteroid.load(std::memory_order_relaxed);
        if (!fn) {
            fn = reinterpret_cast<KeplerAsteroidFn>(Bind("KeplerAsteroid"));
            b.asteroid.store(fn, std::memory_order_release);
        }
    }
    return fn(&block);
}

void ResetOrbsolveBinding(const std::string& file_name) {
    Binding& b = State();
    const std::lock_guard<std::mutex> hold(b.lock);
    if (b.handle) dlclose(b.handle);
    b.handle = nullptr;
    b.comet.store(nullptr, std::memory_order_relaxed);
    b.asteroid.store(nullptr, std::memory_order_relaxed);
    b.file_name = file_name;
}

}  // namespace orbsolve
