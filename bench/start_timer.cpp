// Times the start of programs that end by themselves: runs each command once per round, in an
// order that turns round by round so that every command sees the same load, and prints one line
// per round with each command's wall seconds from fork to its end, in the order given.
// Usage: start_timer <rounds> <program> [arguments...] [-- <program> [arguments...]]...
// Their output goes to /dev/null; a command that fails is reported on stderr.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {
double now()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

double timeOnce(char** command)
{
    const double start = now();
    const pid_t pid = fork();
    if (pid == 0) {
        const int null = open("/dev/null", O_RDWR);
        dup2(null, STDIN_FILENO);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        execvp(command[0], command);
        _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    const double seconds = now() - start;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        std::fprintf(stderr, "%s ended with status %d\n", command[0], status);
    return seconds;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <rounds> <program> [arguments...] [-- <program>...]...\n",
                     argv[0]);
        return 2;
    }
    const int rounds = std::atoi(argv[1]);
    std::vector<char**> commands{argv + 2};
    for (int i = 2; i < argc; ++i) {
        if (std::strcmp(argv[i], "--") == 0) {
            argv[i] = nullptr; // ends the command before it
            commands.push_back(argv + i + 1);
        }
    }
    const int count = int(commands.size());
    std::vector<double> seconds(count);
    for (int round = 0; round < rounds; ++round) {
        for (int turn = 0; turn < count; ++turn) {
            const int which = (turn + round) % count;
            seconds[which] = timeOnce(commands[which]);
        }
        for (int which = 0; which < count; ++which)
            std::printf(which + 1 < count ? "%.6f " : "%.6f\n", seconds[which]);
    }
    return 0;
}
