#include "platform/win32/WindowsServices.h"

#include "platform/win32/Utf16.h"

#include <windows.h>

namespace dravelo::platform::win32 {

namespace {

constexpr const wchar_t* kTemporarySuffix = L".dravelo-tmp";

// The system's own words for the last error, in the user's language.
std::string lastErrorText()
{
    const DWORD code = GetLastError();
    wchar_t* text = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::string reason = length ? toUtf8(std::wstring(text, length)) : "error " + std::to_string(code);
    LocalFree(text);
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' || reason.back() == ' '))
        reason.pop_back();
    return reason;
}

// Writes and flushes the whole file to the disk, so that the move that
// follows never puts a file in place whose bytes are still in the cache.
bool writeAll(const std::wstring& path, const std::string& bytes)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                    written == bytes.size() && FlushFileBuffers(file);
    const DWORD error = GetLastError();
    CloseHandle(file);
    SetLastError(error);
    return ok;
}

} // namespace

// The name is the user's text, so it goes to the wide calls: a name with
// letters outside the code page is created as typed.
std::string WindowsFileSystem::writeFile(const std::string& path, const std::string& bytes)
{
    const std::wstring target = toUtf16(path);
    const std::wstring temporary = target + kTemporarySuffix;
    // The move replaces the earlier file in one step, and returns only once
    // it is on the disk; until then the earlier file stays whole.
    if (writeAll(temporary, bytes) &&
        MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return {};
    const std::string reason = lastErrorText();
    DeleteFileW(temporary.c_str());
    return reason;
}

std::string WindowsFileSystem::firstMatch(const std::string& pattern) const
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return {};
    std::string name;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            name = found.cFileName;
            break;
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return name;
}

bool WindowsLauncher::launch(const std::string& program)
{
    if (program.empty())
        return false;
    std::string commandLine = "\"" + program + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

} // namespace dravelo::platform::win32
