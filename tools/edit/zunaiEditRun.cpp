// The editor served until the designer stops it.

#include "zunaiEditRun.h"

#include <pthread.h>
#include <signal.h>

#include <atomic>
#include <thread>

#include "zunaiEditServer.h"

namespace {

// SIGINT and SIGTERM held back from every thread started while it lives,
// so that the waiting thread alone takes them.
class HeldStopSignals {
public:
    HeldStopSignals()
    {
        sigemptyset(&set_);
        sigaddset(&set_, SIGINT);
        sigaddset(&set_, SIGTERM);
        pthread_sigmask(SIG_BLOCK, &set_, &previous_);
    }
    ~HeldStopSignals() { pthread_sigmask(SIG_SETMASK, &previous_, nullptr); }
    HeldStopSignals(const HeldStopSignals&) = delete;
    HeldStopSignals& operator=(const HeldStopSignals&) = delete;

    void wait() const
    {
        int signal = 0;
        sigwait(&set_, &signal);
    }

private:
    sigset_t set_;
    sigset_t previous_;
};

} // namespace

void zunaiRunEditor(const zunaiGame& game, int port, std::ostream& out)
{
    HeldStopSignals signals;
    zunaiEditor editor(game);
    zunaiEditServer server(editor);
    const int bound = server.bind(port);
    out << "http://127.0.0.1:" << bound << "/" << std::endl;

    const pthread_t waiter = pthread_self();
    std::atomic<bool> stopping{false};
    std::thread serving([&] {
        server.serve();
        // Stopped from within (the socket failed): wake the waiter.
        if (!stopping.exchange(true))
            pthread_kill(waiter, SIGTERM);
    });
    signals.wait();
    stopping = true;
    server.stop();
    serving.join();
}
