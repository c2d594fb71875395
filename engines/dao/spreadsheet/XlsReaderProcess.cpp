#include "engines/dao/spreadsheet/XlsReaderProcess.h"

#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include "engines/dao/spreadsheet/XlsCellStream.h"

extern char** environ;

namespace
{

// The reader program in the folder of the module that holds this code:
// the engine library, or a program that links the workbook reader (the
// designer and the editor, tests).
std::string ReaderProgramPath()
{
    Dl_info info;
    if (dladdr(reinterpret_cast<void*>(&ReaderProgramPath), &info) == 0 || info.dli_fname == NULL)
        return std::string();
    char szModule[PATH_MAX];
    std::string strModule = realpath(info.dli_fname, szModule) != NULL ? szModule : info.dli_fname;
    size_t nSlash = strModule.rfind('/');
    return (nSlash == std::string::npos ? std::string(".") : strModule.substr(0, nSlash)) + "/"
           + xlscells::READER_PROGRAM;
}

// Closes a descriptor on scope exit.
class CUnixFd
{
public:
    explicit CUnixFd(int fd = -1) : m_fd(fd) {}
    ~CUnixFd() { Close(); }
    CUnixFd(const CUnixFd&) = delete;
    CUnixFd& operator=(const CUnixFd&) = delete;
    void Close()
    {
        if (m_fd >= 0)
            close(m_fd);
        m_fd = -1;
    }
    int m_fd;
};

// Starts the program with the pipe's writing end as its standard output,
// nothing as its input, and no other descriptor of this process; its
// signals as a new program's, whatever the host process (Wine) blocks.
bool SpawnReader(const std::string& strProgram, const std::string& strUnixPath, int fdOutput, pid_t& pid)
{
    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
    posix_spawn_file_actions_init(&actions);
    posix_spawnattr_init(&attributes);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, fdOutput, 1);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addclosefrom_np(&actions, 3);
    sigset_t none, all;
    sigemptyset(&none);
    sigfillset(&all);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &all);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    char* argv[] = {const_cast<char*>(strProgram.c_str()), const_cast<char*>(strUnixPath.c_str()), NULL};
    int nError = posix_spawn(&pid, strProgram.c_str(), &actions, &attributes, argv, environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    return nError == 0;
}

} // namespace

CXlsReaderRun::~CXlsReaderRun()
{
    Finish();
}

bool CXlsReaderRun::Start(const std::string& strUnixPath)
{
    m_strProgram = ReaderProgramPath();
    int fds[2];
    if (m_strProgram.empty() || pipe2(fds, O_CLOEXEC) != 0)
        return false;
    CUnixFd reading(fds[0]), writing(fds[1]);
    if (!SpawnReader(m_strProgram, strUnixPath, writing.m_fd, m_pid))
        return false;
    m_fdOutput = reading.m_fd;
    reading.m_fd = -1;
    // A larger pipe lets the reader run ahead with fewer switches between
    // the two; the system may refuse it.
    fcntl(m_fdOutput, F_SETPIPE_SZ, 1 << 20);
    return true;
}

bool CXlsReaderRun::ReadMore(std::string& output)
{
    const size_t nChunk = 1 << 18;
    const size_t nHeld = output.size();
    while (m_fdOutput >= 0)
    {
        output.resize(nHeld + nChunk);
        ssize_t nRead = read(m_fdOutput, &output[nHeld], nChunk);
        output.resize(nHeld + (nRead > 0 ? (size_t)nRead : 0));
        if (nRead > 0)
            return true;
        if (nRead == 0)
            m_bOutputEnded = true;
        if (nRead == 0 || errno != EINTR)
            break;
    }
    return false;
}

bool CXlsReaderRun::Finish()
{
    if (m_fdOutput >= 0)
        close(m_fdOutput);
    m_fdOutput = -1;
    // A reader whose output is not wanted to its end has nothing more to
    // do, whatever FreeXL is busy with.
    if (m_pid > 0 && !m_bOutputEnded)
        kill(m_pid, SIGKILL);
    if (m_pid > 0)
    {
        int nStatus = 0;
        pid_t ended;
        do
            ended = waitpid(m_pid, &nStatus, 0);
        while (ended < 0 && errno == EINTR);
        m_bEndedWell = ended == m_pid && WIFEXITED(nStatus) && WEXITSTATUS(nStatus) == 0;
        m_pid = 0;
    }
    return m_bEndedWell;
}
