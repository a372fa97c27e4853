// Helpers of the platform tests: a scratch folder that removes itself, whole-file access,
// and running code in a child process (optionally as an unprivileged user).
#pragma once

#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

namespace astrelle::testing {

class ScratchDir {
  public:
    ScratchDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "astrelle-test-XXXXXX").string();
        char* made = ::mkdtemp(pattern.data());
        path_ = made != nullptr ? made : "";
        // Readable and searchable by everyone, so a child that drops its privileges can
        // still reach what the test prepared.
        ::chmod(path_.c_str(), 0755);
    }
    ~ScratchDir() {
        std::error_code ec;
        for (auto& entry : std::filesystem::recursive_directory_iterator(path_, ec)) {
            std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, ec);
        }
        std::filesystem::remove_all(path_, ec);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::string& path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }

  private:
    std::string path_;
};

inline std::string ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

inline void WriteFileBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

// Files in a folder whose names start with prefix.
inline int CountFilesStartingWith(const std::string& dir, const std::string& prefix) {
    int n = 0;
    for (auto& entry : std::filesystem::directory_iterator(dir)) {
        if (entry.path().filename().string().rfind(prefix, 0) == 0) ++n;
    }
    return n;
}

// Runs body in a forked child and returns its exit status (its return value), or -1 when
// it did not exit normally. body must not use test assertions.
inline int RunInChild(const std::function<int()>& body) {
    pid_t pid = ::fork();
    if (pid == 0) ::_exit(body());
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

inline constexpr int kCannotDropPrivileges = 77;

// Like RunInChild, but the child first gives up root rights (if it has them), so file
// permissions apply to it as they do to an ordinary user. Returns kCannotDropPrivileges
// when that is impossible.
inline int RunAsOrdinaryUser(const std::function<int()>& body) {
    return RunInChild([&] {
        if (::geteuid() == 0) {
            const gid_t nogroup = 65534;
            const uid_t nobody = 65534;
            if (::setgroups(0, nullptr) != 0 || ::setgid(nogroup) != 0 || ::setuid(nobody) != 0) {
                return kCannotDropPrivileges;
            }
        }
        return body();
    });
}

}  // namespace astrelle::testing
