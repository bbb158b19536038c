#include "Driver.h"

#include <atomic>
#include <filesystem>
#include <fstream>

namespace e2e {

namespace {

std::string LastError()
{
    return " (error " + std::to_string(GetLastError()) + ")";
}

const std::wstring& CreatedFolder(const std::wstring& folder)
{
    if (!CreateDirectoryW(folder.c_str(), nullptr))
        throw DriverError("could not create the folder " + Utf8(folder) + LastError());
    return folder;
}

std::wstring NewScratchFolder()
{
    static std::atomic<int> counter{0};
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, temp);
    return CreatedFolder(std::wstring(temp) + L"e2e-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                         std::to_wstring(GetTickCount64()) + L"-" + std::to_wstring(++counter) + L"\\");
}

void RemoveFolder(const std::wstring& folder)
{
    std::error_code ignored;
    std::filesystem::remove_all(std::filesystem::path(folder), ignored);
}

// Kills the program when the job's last handle closes, even when the test
// process dies or CTest kills it, so a program never outlives its test. What
// the program starts stays out of the job: under Wine the first program that
// shows a window starts the desktop process, which must outlive it.
OwnedHandle KillOnCloseJob()
{
    OwnedHandle job(CreateJobObjectW(nullptr, nullptr));
    if (!job) throw DriverError("could not create a job object" + LastError());
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE | JOB_OBJECT_LIMIT_SILENT_BREAKAWAY_OK;
    SetInformationJobObject(job.get(), JobObjectExtendedLimitInformation, &limits, sizeof limits);
    return job;
}

}  // namespace

std::wstring ProgramUnderTest;

void WriteFileBytes(const std::wstring& path, const std::string& bytes)
{
    std::ofstream file(std::filesystem::path(path), std::ios::binary | std::ios::trunc);
    if (!file.write(bytes.data(), static_cast<std::streamsize>(bytes.size())))
        throw DriverError("could not write " + Utf8(path));
}

Application::Application(const std::wstring& program, const std::vector<ExtraFile>& extraFiles,
                         std::wstring_view subfolder)
    : scratch_(NewScratchFolder()), folder_(scratch_)
{
    try {
        if (!subfolder.empty()) folder_ = CreatedFolder(scratch_ + std::wstring(subfolder) + L"\\");
        const std::wstring executable = folder_ + program.substr(program.find_last_of(L"\\/") + 1);
        if (!CopyFileW(program.c_str(), executable.c_str(), FALSE))
            throw DriverError("could not copy " + Utf8(program) + LastError());
        for (const ExtraFile& file : extraFiles) WriteFileBytes(folder_ + file.Name, file.Bytes);
        Launch(executable);
    } catch (...) {
        RemoveFolder(scratch_);
        throw;
    }
}

Application::Application(InPlace, const std::wstring& program)
    : folder_(program.substr(0, program.find_last_of(L"\\/") + 1))
{
    Launch(program);
}

Application::~Application()
{
    End();
    if (!scratch_.empty()) RemoveFolder(scratch_);
}

void Application::Launch(const std::wstring& executable)
{
    job_ = KillOnCloseJob();
    std::wstring commandLine = L"\"" + executable + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    // Suspended until it is in the job, so that nothing it starts escapes it.
    if (!CreateProcessW(executable.c_str(), commandLine.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr,
                        folder_.c_str(), &startup, &started))
        throw DriverError("could not start " + Utf8(executable) + LastError());
    process_.reset(started.hProcess);
    const OwnedHandle thread(started.hThread);
    processId_ = started.dwProcessId;
    AssignProcessToJobObject(job_.get(), process_.get());
    ResumeThread(thread.get());
}

void Application::End()
{
    if (HasExited()) return;
    TerminateProcess(process_.get(), 1);
    WaitForSingleObject(process_.get(), static_cast<DWORD>(ReplyTimeout.count()));
}

bool Application::HasExited() const
{
    return WaitForSingleObject(process_.get(), 0) == WAIT_OBJECT_0;
}

DWORD Application::WaitForExit(Timeout timeout)
{
    if (WaitForSingleObject(process_.get(), static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0) {
        End();
        throw DriverError("the program did not end within " + std::to_string(timeout.count()) + " ms; ended");
    }
    DWORD exitCode = 0;
    GetExitCodeProcess(process_.get(), &exitCode);
    return exitCode;
}

HWND Application::FindTopLevel(std::wstring_view caption) const
{
    // FindWindowEx compares the caption as stored, without a message to a possibly hung window.
    const std::wstring wanted(caption);
    for (HWND window = FindWindowExW(nullptr, nullptr, nullptr, wanted.c_str()); window;
         window = FindWindowExW(nullptr, window, nullptr, wanted.c_str())) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId_ && IsWindowVisible(window)) return window;
    }
    return nullptr;
}

HWND Application::WaitForWindow(std::wstring_view caption, Timeout timeout) const
{
    const std::string awaited = "a window captioned \"" + Utf8(caption) + "\"";
    return WaitFor(
        [&] {
            HWND found = FindTopLevel(caption);
            if (!found && HasExited()) throw DriverError("the program ended without showing " + awaited);
            return found;
        },
        awaited, timeout);
}

std::wstring WindowsPathOf(std::wstring_view hostPath)
{
    std::wstring path = hostPath.starts_with(L'/') ? L"Z:" : L"";
    path += hostPath;
    for (wchar_t& c : path)
        if (c == L'/') c = L'\\';
    return path;
}

}  // namespace e2e
