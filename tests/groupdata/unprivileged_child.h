#pragma once
// Permission checks do not stop root, and CI runs as root: such checks run in
// a child process that, under root, first becomes the user "nobody".

#include <functional>
#include <grp.h>
#include <pwd.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

struct UnprivilegedUser {
    uid_t uid;
    gid_t gid;
};

// The user the child runs as: "nobody" under root, ourselves otherwise. Files
// the child must own are chowned to it (a no-op when it is ourselves).
inline bool unprivilegedUser(UnprivilegedUser& user) {
    if (::geteuid() != 0) {
        user = {::geteuid(), ::getegid()};
        return true;
    }
    const passwd* nobody = ::getpwnam("nobody");
    if (nobody == nullptr || nobody->pw_uid == 0)
        return false;
    user = {nobody->pw_uid, nobody->pw_gid};
    return true;
}

// The child's exit status when it cannot become the user or reach its files;
// the caller skips then.
constexpr int childCannotRun = 77;

// Runs work in a forked child as user and returns its exit status (work's
// result), or -1 when the child did not exit normally.
inline int runAsUser(const UnprivilegedUser& user, const std::function<int()>& work) {
    const pid_t child = ::fork();
    if (child == 0) {
        if (::geteuid() == 0 &&
            (::setgroups(0, nullptr) != 0 || ::setgid(user.gid) != 0 || ::setuid(user.uid) != 0))
            ::_exit(childCannotRun);
        ::_exit(work());
    }
    if (child < 0)
        return -1;
    int status = 0;
    if (::waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}
