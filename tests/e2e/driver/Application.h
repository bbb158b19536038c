// One run of a program under test: a copy of the executable in a fresh scratch
// folder (with any files it should find beside it), the process started from
// there, its top-level windows, and its end. Destroying the object ends the
// process if it still runs and removes the folder. An installed program runs
// where it is instead, with the files it finds there, which stay.
#pragma once

#include "Wait.h"

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace e2e {

// A file placed beside the copied executable before it starts, such as a
// configuration file.
struct ExtraFile {
    std::wstring Name;
    std::string Bytes;
};

class Application {
public:
    // program is a Windows path (see WindowsPathOf for a path given by CMake).
    // With a subfolder name, the program's folder is that folder inside the
    // scratch folder.
    explicit Application(const std::wstring& program, const std::vector<ExtraFile>& extraFiles = {},
                         std::wstring_view subfolder = {});
    struct InPlace {};
    Application(InPlace, const std::wstring& program);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // The program's folder with its trailing backslash.
    const std::wstring& Folder() const { return folder_; }
    DWORD ProcessId() const { return processId_; }

    // A visible top-level window of this process with exactly this caption:
    // the main window, a dialog, a message box. The search sends no message,
    // so a hung program cannot block it.
    HWND FindWindowByCaption(std::wstring_view caption) const;
    HWND WaitForWindow(std::wstring_view caption, Timeout timeout = DefaultTimeout) const;
    // A message box ("#32770", like every dialog) with this title.
    HWND WaitForMessageBox(std::wstring_view title, Timeout timeout = DefaultTimeout) const;

    bool HasExited() const;
    // The process's exit code once it has ended. If it does not end in time it
    // is ended here and DriverError is thrown.
    DWORD WaitForExit(Timeout timeout = DefaultTimeout);

private:
    void CreateScratchFolder(std::wstring_view subfolder);
    void RemoveScratchFolder();
    void Launch(const std::wstring& executable);
    HWND FindTopLevel(std::wstring_view caption, std::wstring_view className) const;
    // Fails at once, with the exit code, when the program ends instead.
    HWND WaitForTopLevel(std::wstring_view caption, std::wstring_view className, std::string_view kind,
                         Timeout timeout) const;
    DWORD ExitCode() const;
    // Ends the process this object started, by its own handle, and waits for it.
    void End();

    std::wstring scratch_;
    std::wstring folder_;
    bool ownsFolder_ = true;
    HANDLE job_ = nullptr;
    HANDLE process_ = nullptr;
    DWORD processId_ = 0;
};

// The Windows form of a path handed over by the build: under Wine a host path
// /x/y is reached through drive Z: (Wine's default mapping of the root), and
// any forward slashes become backslashes.
std::wstring WindowsPathOf(std::wstring_view hostPath);

}  // namespace e2e
