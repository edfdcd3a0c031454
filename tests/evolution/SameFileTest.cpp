// Two names are one file only on one file system: inode numbers repeat
// across file systems. Two fresh tmpfs mounts give their first files the
// same inode number; they are mounted in a private mount namespace of a
// forked child, as root or as the owner of a new user namespace.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "evolution/AtomicFile.h"
#include "tests/evolution/EvolutionTestSupport.h"

namespace {

enum ChildResult { TOLD_APART, TAKEN_AS_ONE, ONE_FILE_NOT_SEEN, NO_MOUNTS, NO_EQUAL_INODES };

bool writeProcFile(const char* path, const std::string& text) {
    const int fd = ::open(path, O_WRONLY);
    if (fd < 0)
        return false;
    const bool ok = ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    ::close(fd);
    return ok;
}

// A mount namespace of its own; without root, inside a user namespace in
// which this user is root.
bool privateMounts() {
    const uid_t uid = ::geteuid();
    const gid_t gid = ::getegid();
    if (uid != 0) {
        if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0)
            return false;
        writeProcFile("/proc/self/setgroups", "deny");
        if (!writeProcFile("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1") ||
            !writeProcFile("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1"))
            return false;
    } else if (::unshare(CLONE_NEWNS) != 0) {
        return false;
    }
    return ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
}

ino_t newFileInode(const std::string& path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    if (fd < 0)
        return 0;
    ::close(fd);
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 ? st.st_ino : 0;
}

[[noreturn]] void compareInChild(const std::string& a, const std::string& b) {
    if (!privateMounts() || ::mount("none", a.c_str(), "tmpfs", 0, nullptr) != 0 ||
        ::mount("none", b.c_str(), "tmpfs", 0, nullptr) != 0)
        ::_exit(NO_MOUNTS);
    const ino_t inodeA = newFileInode(a + "/run.axv");
    if (inodeA == 0 || inodeA != newFileInode(b + "/run.axv"))
        ::_exit(NO_EQUAL_INODES);
    if (!namesSameFile(a + "/run.axv", a + "/./run.axv"))
        ::_exit(ONE_FILE_NOT_SEEN);
    ::_exit(namesSameFile(a + "/run.axv", b + "/run.axv") ? TAKEN_AS_ONE : TOLD_APART);
}

TEST(SameFile, EqualInodesOnTwoFileSystemsAreTwoFiles) {
    const std::string a = makeTempFolder("same-file-a"), b = makeTempFolder("same-file-b");
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0)
        compareInChild(a, b);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == NO_MOUNTS)
        GTEST_SKIP() << "SameFile.EqualInodesOnTwoFileSystemsAreTwoFiles needs two tmpfs mounts: "
                        "run it as root or where unprivileged user namespaces are allowed";
    if (WEXITSTATUS(status) == NO_EQUAL_INODES)
        GTEST_SKIP() << "the two tmpfs mounts gave their first files different inode numbers";
    EXPECT_EQ(WEXITSTATUS(status), TOLD_APART);
}

} // namespace
