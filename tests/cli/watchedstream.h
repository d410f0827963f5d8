#pragma once
// An output stream that another thread may read while talvctl writes to it, and wait on for a
// text to appear: how the tests see the request's status lines as they come.

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <ostream>
#include <streambuf>
#include <string>

class TWatchedStream : public std::ostream {
public:
    TWatchedStream() : std::ostream(&FBuffer) {}

    std::string Text() const
    {
        std::lock_guard lock(FBuffer.Mutex);
        return FBuffer.Text;
    }

    bool WaitFor(const std::string& part, std::chrono::milliseconds limit) const
    {
        std::unique_lock lock(FBuffer.Mutex);
        return FBuffer.Grown.wait_for(lock, limit,
                                      [&] { return FBuffer.Text.find(part) != std::string::npos; });
    }

private:
    struct TBuffer : std::streambuf {
        int_type overflow(int_type c) override
        {
            if (!traits_type::eq_int_type(c, traits_type::eof())) {
                const char byte = traits_type::to_char_type(c);
                xsputn(&byte, 1);
            }
            return traits_type::not_eof(c);
        }
        std::streamsize xsputn(const char* bytes, std::streamsize count) override
        {
            {
                std::lock_guard lock(Mutex);
                Text.append(bytes, static_cast<size_t>(count));
            }
            Grown.notify_all();
            return count;
        }

        mutable std::mutex Mutex;
        mutable std::condition_variable Grown;
        std::string Text;
    };

    TBuffer FBuffer;
};
