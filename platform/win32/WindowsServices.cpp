#include "platform/win32/WindowsServices.h"

#include "platform/FileSaving.h"
#include "platform/WindowsFileNames.h"
#include "platform/win32/Utf16.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <random>

namespace dravelo::platform::win32 {

namespace {

// Tries with another temporary name while one is taken.
constexpr int kTemporaryNameAttempts = 32;

// The system's own words for an error, in the user's language.
std::string errorText(DWORD code)
{
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

// The path up to its last separator, or the drive's colon: the temporary
// file goes there.
std::wstring folderPart(const std::wstring& path)
{
    const std::size_t end = path.find_last_of(L"\\/:");
    return end == std::wstring::npos ? std::wstring() : path.substr(0, end + 1);
}

// The full path of the folder, for the user: a string operation, which a
// folder that does not answer cannot hold up.
std::string folderShown(const std::wstring& path)
{
    std::wstring full(GetFullPathNameW(path.c_str(), 0, nullptr, nullptr), L'\0');
    full.resize(GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr));
    std::wstring folder = full.substr(0, full.find_last_of(L'\\'));
    if (folder.size() == 2 && folder[1] == L':')
        folder += L'\\';
    return toUtf8(folder);
}

// A new temporary file beside the target, under a name nobody else holds.
HANDLE createTemporary(const std::wstring& target, std::wstring& temporary)
{
    const std::wstring folder = folderPart(target);
    std::random_device random;
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        const std::uint64_t number = std::uint64_t{random()} << 32 | random();
        temporary = folder + toUtf16(temporaryFileName(target.size() - folder.size(), number));
        HANDLE file =
            CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE || (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS))
            return file;
    }
    return INVALID_HANDLE_VALUE;
}

// Runs on the saving thread, and may go on after the program gave up on
// it: it touches only what it owns. The whole file is flushed to the disk
// before the move, so that the move never puts a file in place whose bytes
// are still in the cache; the move replaces an earlier file in one step,
// and returns only once it is on the disk.
std::string saveBeside(const std::wstring& target, const std::string& bytes, SaveHandover& handover)
{
    std::wstring temporary;
    HANDLE file = createTemporary(target, temporary);
    if (file == INVALID_HANDLE_VALUE)
        return errorText(GetLastError());
    DWORD written = 0;
    const bool whole = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                       written == bytes.size() && FlushFileBuffers(file);
    DWORD error = GetLastError();
    CloseHandle(file);
    if (whole && !handover.mayMoveIntoPlace()) {
        DeleteFileW(temporary.c_str());
        return kSaveCutShort;
    }
    if (whole && MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return {};
    if (whole)
        error = GetLastError();
    DeleteFileW(temporary.c_str());
    return errorText(error);
}

} // namespace

// The name is the user's text, so it goes to the wide calls: a name with
// letters outside the code page is created as typed.
std::string WindowsFileSystem::writeFile(const std::string& path, const std::string& bytes)
{
    if (std::string refusal = windowsNameRefusal(path); !refusal.empty())
        return refusal;
    const std::wstring target = toUtf16(path);
    auto handover = std::make_shared<SaveHandover>();
    BackgroundCall<std::string> save([target, bytes, handover] { return saveBeside(target, bytes, *handover); });
    ServiceDeadline deadline = std::chrono::steady_clock::now() + kFolderAnswerLimit;
    const ServiceWaitEnd end = wait_(save.doneEvent(), deadline, save.thread());
    if (end == ServiceWaitEnd::Done)
        return save.result();
    const bool moving = handover->giveUp();
    return end == ServiceWaitEnd::TimedOut ? folderNoAnswerText(folderShown(target), moving) : kSaveCutShort;
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
