#include "cli/ProgramHandover.h"

#include <QDir>
#include <cstdio>
#include <string>
#include <windows.h>

#include <shellapi.h> // after windows.h, which it builds on

namespace telmo::cli {
namespace {

std::wstring Wide(const QString& s) {
    return std::wstring(reinterpret_cast<const wchar_t*>(s.utf16()), static_cast<std::size_t>(s.size()));
}

// What follows the program name on the command line, with the blank before it, by the rule the
// system's own parser uses for the name: up to the closing quote, or up to the first blank.
const wchar_t* AfterProgramName(const wchar_t* line) {
    if (*line == L'"') {
        ++line;
        while (*line && *line != L'"') ++line;
        return *line ? line + 1 : line;
    }
    while (*line && *line != L' ' && *line != L'\t') ++line;
    return line;
}

} // namespace

QString OwnProgramFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) return QString();
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2);
    }
    const QString file = QDir::fromNativeSeparators(QString::fromWCharArray(path.c_str()));
    return file.left(file.lastIndexOf(QLatin1Char('/')));
}

QStringList ProgramArguments(int argc, char** argv) {
    QStringList args;
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!wide) {
        for (int i = 1; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
        return args;
    }
    for (int i = 1; i < count; ++i) args << QString::fromWCharArray(wide[i]);
    LocalFree(wide);
    return args;
}

bool HandOverTo(const QString& program, char**, int* status, QString* problem) {
    const std::wstring path = Wide(QDir::toNativeSeparators(program));
    std::wstring command = L"\"" + path + L"\"" + AfterProgramName(GetCommandLineW());

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    HANDLE* handles[] = {&startup.hStdInput, &startup.hStdOutput, &startup.hStdError};
    const DWORD which[] = {STD_INPUT_HANDLE, STD_OUTPUT_HANDLE, STD_ERROR_HANDLE};
    for (int i = 0; i < 3; ++i) {
        *handles[i] = GetStdHandle(which[i]);
        if (*handles[i] && *handles[i] != INVALID_HANDLE_VALUE)
            SetHandleInformation(*handles[i], HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
    }
    // The run program goes when this one goes: a run must not go on typing after its owner was
    // ended from the task manager.
    HANDLE job = CreateJobObjectW(nullptr, nullptr);
    if (job) {
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
        limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
        SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof limits);
    }
    std::fflush(stdout);
    // Ctrl+C in the console reaches the run program, which decides what it means; this process only
    // waits and passes its status on.
    SetConsoleCtrlHandler(nullptr, TRUE);
    PROCESS_INFORMATION child{};
    if (!CreateProcessW(path.c_str(), command.data(), nullptr, nullptr, TRUE, CREATE_SUSPENDED, nullptr,
                        nullptr, &startup, &child)) {
        *problem = qt_error_string(static_cast<int>(GetLastError()));
        SetConsoleCtrlHandler(nullptr, FALSE);
        if (job) CloseHandle(job);
        return false;
    }
    if (job) AssignProcessToJobObject(job, child.hProcess); // may fail inside a foreign job: runs anyway
    ResumeThread(child.hThread);
    CloseHandle(child.hThread);
    WaitForSingleObject(child.hProcess, INFINITE);
    DWORD code = 1;
    GetExitCodeProcess(child.hProcess, &code);
    CloseHandle(child.hProcess);
    if (job) CloseHandle(job);
    *status = static_cast<int>(code);
    return true;
}

} // namespace telmo::cli
