#pragma once

#include <algorithm>
#include <concepts>
#include <memory>
#include <utility>
#include <vector>

namespace kelton {

// The one way code reaches what only the windows, the desktop or a test can
// provide: pickers, message boxes, the progress display, the analysis-window
// factory, starting a program, opening a web page, and so on.
//
// A service is an interface (or, for a single call, a std::function type)
// declared beside the code that calls it, in the lowest folder that needs
// it. The window side installs its implementation when the program starts;
// a test overrides it for a scope. With nothing installed Service<T>()
// answers nullptr, and the caller does without: pickers are cancelled,
// repaints do nothing, the real dialog or desktop handler runs.
//
//   // the window side, once at start-up (not owned; lives for the run):
//   static CPickerDialogs pickers;
//   InstallService<IPickerService>(&pickers);
//   // the caller:
//   if (IPickerService* pickers = Service<IPickerService>()) ...
//   // a test, for its own scope:
//   ScopedService<IPickerService> pickers(&m_fakePickers);
//
// Services are installed and read on the thread that runs the windows.

namespace services_detail {

template <class T> struct Slot {
    T* installed = nullptr;    // InstallService
    std::vector<T*> overrides; // live ScopedService guards, newest last
};

template <class T> Slot<T>& SlotOf()
{
    static Slot<T> slot;
    return slot;
}

} // namespace services_detail

// The implementation of T in force: the newest live ScopedService, else the
// installed one; nullptr when there is none.
template <class T> T* Service()
{
    const services_detail::Slot<T>& slot = services_detail::SlotOf<T>();
    return slot.overrides.empty() ? slot.installed : slot.overrides.back();
}

// Installs the program's implementation of T (not owned); nullptr removes
// it. A live ScopedService still takes precedence.
template <class T> void InstallService(T* service)
{
    services_detail::SlotOf<T>().installed = service;
}

// Puts an implementation of T in force for the life of the guard (nullptr:
// none at all), then gives back whatever was in force before. Guards may
// end in any order; the newest live one is in force. A std::function
// service can be given by value, and the guard keeps it:
//   ScopedService<ShellOpener> opener([&](const QUrl& url) { opened << url; });
template <class T> class [[nodiscard]] ScopedService {
public:
    explicit ScopedService(T* service) : m_service(service) { Push(); }

    template <class F>
    requires(!std::convertible_to<F, T*> && std::constructible_from<T, F>) explicit ScopedService(F&& value)
        : m_owned(std::make_unique<T>(std::forward<F>(value))), m_service(m_owned.get())
    {
        Push();
    }

    ~ScopedService()
    {
        auto& overrides = services_detail::SlotOf<T>().overrides;
        const auto mine = std::find(overrides.rbegin(), overrides.rend(), m_service);
        if (mine != overrides.rend())
            overrides.erase(std::next(mine).base());
    }

    ScopedService(const ScopedService&) = delete;
    ScopedService& operator=(const ScopedService&) = delete;

    T* get() const { return m_service; }

private:
    void Push() { services_detail::SlotOf<T>().overrides.push_back(m_service); }

    std::unique_ptr<T> m_owned;
    T* m_service = nullptr;
};

} // namespace kelton
