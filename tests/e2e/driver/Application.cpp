#include "Application.h"

#include "Window.h"

#include <atomic>
#include <filesystem>
#include <fstream>

namespace e2e {

namespace {

// A process that does not end within this time after TerminateProcess is left
// to the job object (see Launch).
constexpr DWORD EndTimeoutMs = 5000;

std::wstring FileNameOf(const std::wstring& path)
{
    return path.substr(path.find_last_of(L"\\/") + 1);
}

std::wstring SystemReason(DWORD error)
{
    return L" (error " + std::to_wstring(error) + L")";
}

void WriteFileBytes(const std::wstring& path, const std::string& bytes)
{
    std::ofstream file(std::filesystem::path(path), std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!file.flush()) throw DriverError("could not write " + Utf8(path));
}

// Kills every process of the job when its last handle closes, which happens
// even when the test process itself dies or is killed by CTest's timeout, so a
// program never outlives the test that started it (a lingering one would keep
// CTest waiting on its output pipe).
HANDLE CreateKillOnCloseJob()
{
    HANDLE job = CreateJobObjectW(nullptr, nullptr);
    if (!job) throw DriverError("could not create a job object" + Utf8(SystemReason(GetLastError())));
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof limits);
    return job;
}

struct TopLevelSearch {
    DWORD ProcessId;
    std::wstring_view Caption;
    std::wstring_view ClassName;  // empty: any class
    HWND Found = nullptr;
};

BOOL CALLBACK MatchTopLevel(HWND window, LPARAM context)
{
    auto& search = *reinterpret_cast<TopLevelSearch*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search.ProcessId || !IsWindowVisible(window)) return TRUE;
    // Read as stored, without a message, so that a hung program cannot block the search.
    wchar_t caption[512] = {};
    InternalGetWindowText(window, caption, static_cast<int>(std::size(caption)));
    wchar_t className[64] = {};
    GetClassNameW(window, className, static_cast<int>(std::size(className)));
    if (caption != search.Caption || (!search.ClassName.empty() && className != search.ClassName)) return TRUE;
    search.Found = window;
    return FALSE;
}

void CreateFolder(const std::wstring& folder)
{
    if (!CreateDirectoryW(folder.c_str(), nullptr))
        throw DriverError("could not create the scratch folder " + Utf8(folder) + Utf8(SystemReason(GetLastError())));
}

}  // namespace

Application::Application(const std::wstring& program, const std::vector<ExtraFile>& extraFiles,
                         std::wstring_view subfolder)
{
    CreateScratchFolder(subfolder);
    try {
        const std::wstring executable = folder_ + FileNameOf(program);
        if (!CopyFileW(program.c_str(), executable.c_str(), FALSE))
            throw DriverError("could not copy " + Utf8(program) + " to " + Utf8(folder_) +
                              Utf8(SystemReason(GetLastError())));
        for (const ExtraFile& file : extraFiles) WriteFileBytes(folder_ + file.Name, file.Bytes);
        Launch(executable);
    } catch (...) {
        RemoveScratchFolder();
        throw;
    }
}

Application::Application(InPlace, const std::wstring& program)
    : folder_(program.substr(0, program.find_last_of(L"\\/") + 1)), ownsFolder_(false)
{
    Launch(program);
}

Application::~Application()
{
    End();
    CloseHandle(process_);
    CloseHandle(job_);
    RemoveScratchFolder();
}

void Application::CreateScratchFolder(std::wstring_view subfolder)
{
    static std::atomic<int> counter{0};
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, temp);
    scratch_ = std::wstring(temp) + L"e2e-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
               std::to_wstring(GetTickCount64()) + L"-" + std::to_wstring(++counter) + L"\\";
    folder_ = subfolder.empty() ? scratch_ : scratch_ + std::wstring(subfolder) + L"\\";
    CreateFolder(scratch_);
    if (folder_ != scratch_) CreateFolder(folder_);
}

void Application::RemoveScratchFolder()
{
    if (!ownsFolder_) return;
    std::error_code ignored;
    std::filesystem::remove_all(std::filesystem::path(scratch_), ignored);
}

void Application::Launch(const std::wstring& executable)
{
    job_ = CreateKillOnCloseJob();
    std::wstring commandLine = L"\"" + executable + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    // Suspended until it is in the job, so that nothing it does escapes it.
    if (!CreateProcessW(executable.c_str(), commandLine.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr,
                        folder_.c_str(), &startup, &started)) {
        const DWORD error = GetLastError();
        CloseHandle(job_);
        throw DriverError("could not start " + Utf8(executable) + Utf8(SystemReason(error)));
    }
    process_ = started.hProcess;
    processId_ = started.dwProcessId;
    AssignProcessToJobObject(job_, process_);
    ResumeThread(started.hThread);
    CloseHandle(started.hThread);
}

void Application::End()
{
    if (HasExited()) return;
    TerminateProcess(process_, 1);
    WaitForSingleObject(process_, EndTimeoutMs);
}

bool Application::HasExited() const
{
    return WaitForSingleObject(process_, 0) == WAIT_OBJECT_0;
}

DWORD Application::WaitForExit(Timeout timeout)
{
    if (WaitForSingleObject(process_, static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0) {
        End();
        throw DriverError("the program did not end within " + std::to_string(timeout.count()) +
                          " ms; it has been ended");
    }
    return ExitCode();
}

DWORD Application::ExitCode() const
{
    DWORD exitCode = 0;
    GetExitCodeProcess(process_, &exitCode);
    return exitCode;
}

HWND Application::FindTopLevel(std::wstring_view caption, std::wstring_view className) const
{
    TopLevelSearch search{processId_, caption, className};
    EnumWindows(MatchTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

HWND Application::FindWindowByCaption(std::wstring_view caption) const
{
    return FindTopLevel(caption, L"");
}

HWND Application::WaitForTopLevel(std::wstring_view caption, std::wstring_view className, std::string_view kind,
                                  Timeout timeout) const
{
    const std::string awaited = std::string(kind) + " \"" + Utf8(caption) + "\"";
    return WaitFor(
        [&] {
            HWND found = FindTopLevel(caption, className);
            if (!found && HasExited())
                throw DriverError("the program ended (exit code " + std::to_string(ExitCode()) + ") without showing " +
                                  awaited);
            return found;
        },
        awaited, timeout);
}

HWND Application::WaitForWindow(std::wstring_view caption, Timeout timeout) const
{
    return WaitForTopLevel(caption, L"", "a window captioned", timeout);
}

HWND Application::WaitForMessageBox(std::wstring_view title, Timeout timeout) const
{
    return WaitForTopLevel(title, L"#32770", "a message box titled", timeout);
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
