#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// A TCP peer on 127.0.0.1 that accepts connections one after another and
// plays one script on each, on a thread of its own. The connection is closed
// when its script ends.
class ScriptedPeer {
public:
    struct Step {
        enum class Kind { Receive, Send, AwaitClientClose, AwaitNextConnection, AwaitRelease, Stream, Reset };
        Kind kind;
        std::string bytes;      // Send: what to send
        std::size_t total = 0;  // Receive: bytes to have received in all
    };
    using Script = std::vector<Step>;

    static Step receive(std::size_t total);
    static Step send(std::string bytes);
    // Collects everything until the client closes the connection.
    static Step await_client_close();
    // Holds the current connection until the next one is waiting to be accepted.
    static Step await_next_connection();
    // Waits until the test calls release().
    static Step await_release();
    // Sends without end, until the client goes away.
    static Step stream();
    // Aborts the connection: the client sees a reset, not an orderly close.
    static Step reset();

    explicit ScriptedPeer(std::vector<Script> scripts);
    ~ScriptedPeer();

    ScriptedPeer(const ScriptedPeer&) = delete;
    ScriptedPeer& operator=(const ScriptedPeer&) = delete;

    int port() const { return port_; }
    // Every script has been played to its end.
    bool finished() const { return finished_; }
    std::string received(std::size_t connection) const;
    std::uint64_t bytes_streamed() const { return streamed_; }
    void release() { released_ = true; }

private:
    void run();
    void play(int connection_fd, const Script& script, std::size_t connection);
    void receive_until(int connection_fd, std::size_t connection, std::size_t total);
    bool wait_for(int fd, short events) const;
    void record(std::size_t connection, const char* data, std::size_t size);

    int listen_fd_ = -1;
    int port_ = 0;
    std::vector<Script> scripts_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> finished_{false};
    std::atomic<bool> released_{false};
    std::atomic<std::uint64_t> streamed_{0};
    mutable std::mutex mutex_;
    std::vector<std::string> received_;
    std::thread thread_;
};
