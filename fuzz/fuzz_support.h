// Shared helpers of the fuzz targets: a check that stops the run with a readable message
// (so a broken invariant is reported like a crash, with the input kept), a scratch folder
// for targets that go through real files, and small text helpers.
#pragma once

#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

namespace astrelle::fuzz {

[[noreturn]] inline void Fail(const char* file, int line, const char* what) {
    std::fprintf(stderr, "%s:%d: invariant broken: %s\n", file, line, what);
    std::fflush(stderr);
    std::abort();
}

#define FUZZ_CHECK(cond)                                                \
    do {                                                                \
        if (!(cond)) ::astrelle::fuzz::Fail(__FILE__, __LINE__, #cond); \
    } while (0)

// A folder of this process for the files a target writes, in memory where the system has
// /dev/shm, so millions of runs do not wear a disk. Left behind on exit (the fuzzer is
// usually killed); each run overwrites the same few files.
inline const std::string& ScratchFolder() {
    static const std::string folder = [] {
        const char* base = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        std::string pattern = std::string(base) + "/astrelle-fuzz-XXXXXX";
        if (::mkdtemp(pattern.data()) == nullptr) std::abort();
        return pattern;
    }();
    return folder;
}

inline void WriteFile(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) Fail(__FILE__, __LINE__, "cannot write the scratch file");
}

inline std::string ReadFileForCheck(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline std::string_view TrimBlanksAndTabs(std::string_view text) {
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && (text[begin] == ' ' || text[begin] == '\t')) ++begin;
    while (end > begin && (text[end - 1] == ' ' || text[end - 1] == '\t')) --end;
    return text.substr(begin, end - begin);
}

}  // namespace astrelle::fuzz
