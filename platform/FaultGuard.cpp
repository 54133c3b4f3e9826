#include "FaultGuard.h"

#include <csetjmp>
#include <csignal>

namespace platform {

namespace {

constexpr int guardedSignals[] = {SIGSEGV, SIGBUS, SIGILL, SIGFPE};
thread_local sigjmp_buf* activeGuard = nullptr;

void onFault(int signal)
{
    if (activeGuard) siglongjmp(*activeGuard, signal);
    // A fault outside a guarded call: die as the signal would have made us.
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

// Installs the fault handlers for its lifetime and restores the previous ones.
class HandlerScope {
public:
    HandlerScope()
    {
        struct sigaction action {};
        action.sa_handler = onFault;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_NODEFER;
        for (int i = 0; i < count; ++i) sigaction(guardedSignals[i], &action, &m_previous[i]);
    }
    ~HandlerScope()
    {
        for (int i = 0; i < count; ++i) sigaction(guardedSignals[i], &m_previous[i], nullptr);
    }

private:
    static constexpr int count = int(sizeof guardedSignals / sizeof guardedSignals[0]);
    struct sigaction m_previous[count];
};

}  // namespace

bool runGuarded(const std::function<void()>& call)
{
    HandlerScope handlers;
    sigjmp_buf here;
    sigjmp_buf* outer = activeGuard;
    if (sigsetjmp(here, 1) != 0) {
        activeGuard = outer;
        return false;
    }
    activeGuard = &here;
    call();
    activeGuard = outer;
    return true;
}

}  // namespace platform
