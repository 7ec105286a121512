#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "io/dump/DumpSampler.h"

namespace sigmora::io::fst {

// One end of the pipe between the program and the child process the FST reader library runs in:
// numbers as the machine keeps them (both ends are one program on one machine), texts with their
// length first, read back within a limit.
inline constexpr std::uint32_t kMaxNameBytes = 1u << 20;
inline constexpr std::uint32_t kMaxValueBytes = 1u << 20;
inline constexpr std::size_t kPipeBuffer = 1u << 16;

class Pipe {
public:
    explicit Pipe(FILE* file) : file_(file)
    {
        if (file_)
            std::setvbuf(file_, nullptr, _IOFBF, kPipeBuffer);
    }
    ~Pipe() { close(); }
    Pipe(const Pipe&) = delete;
    Pipe& operator=(const Pipe&) = delete;
    void close()
    {
        if (file_)
            std::fclose(file_);
        file_ = nullptr;
    }
    bool put(const void* data, std::size_t size) { return std::fwrite(data, 1, size, file_) == size; }
    template <class T>
    bool put(T value) { return put(&value, sizeof value); }
    bool putText(std::string_view text)
    {
        return put(static_cast<std::uint32_t>(text.size())) && put(text.data(), text.size());
    }
    bool get(void* data, std::size_t size) { return std::fread(data, 1, size, file_) == size; }
    template <class T>
    bool get(T& value) { return get(&value, sizeof value); }
    bool getText(std::string& text, std::uint32_t limit)
    {
        std::uint32_t size = 0;
        if (!get(size) || size > limit)
            return false;
        text.resize(size);
        return get(text.data(), size);
    }
    bool flush() { return std::fflush(file_) == 0; }

private:
    FILE* file_;
};


// A sampling's outcome (Sampler::Outcome) written to the pipe after its tag 'R', and read back.
bool putOutcome(Pipe& out, const sampling::Sampler::Outcome& o);
bool getOutcome(Pipe& in, sampling::Sampler::Outcome& o);

} // namespace sigmora::io::fst
