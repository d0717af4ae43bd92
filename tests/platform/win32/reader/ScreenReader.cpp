// Prints the whole Wine desktop as JSON, the way a screen reader sees it:
// every top-level window with its children, the foreground window and the
// control with the focus. The end-to-end journeys read the program's
// windows through it. "press HANDLE" presses a button instead, as the
// system's accessibility proxy does for its default action: BM_CLICK,
// posted, so that a box the press brings up does not hold the reader.
//
// {"foreground": H, "focus": H, "windows": [{"handle": H, "owner": H,
//   "title", "class", "rect": [left, top, right, bottom], "visible", "enabled",
//   "pid", "process", "children": [{"handle", "parent", "class", "id",
//   "style", "text", "rect", "visible", "enabled", "focused"}]}]}
// Handles are numbers, 0 for none; texts are UTF-8.

#include "platform/win32/Utf16.h"

#include <windows.h>
#include <tlhelp32.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace {

using dravelo::platform::win32::toUtf8;

// A hung program must not hold up the reading of the others.
constexpr UINT kReplyTimeoutMs = 500;

std::string jsonText(const std::string& text)
{
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string jsonHandle(HWND window)
{
    return std::to_string(reinterpret_cast<std::uintptr_t>(window));
}

std::string jsonBool(bool value)
{
    return value ? "true" : "false";
}

std::string jsonRect(HWND window)
{
    RECT r{};
    GetWindowRect(window, &r);
    return "[" + std::to_string(r.left) + ", " + std::to_string(r.top) + ", " + std::to_string(r.right) + ", " +
           std::to_string(r.bottom) + "]";
}

std::string className(HWND window)
{
    wchar_t name[256] = L"";
    GetClassNameW(window, name, 256);
    return toUtf8(name);
}

// WM_GETTEXT reaches the text of another process's controls, where
// GetWindowTextW gives an edit field's text only to its own process.
std::string windowText(HWND window)
{
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kReplyTimeoutMs, &length))
        return {};
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                             kReplyTimeoutMs, &copied))
        return {};
    text.resize(copied);
    return toUtf8(text);
}

std::map<DWORD, std::string> processNames()
{
    std::map<DWORD, std::string> names;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return names;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry))
        names[entry.th32ProcessID] = toUtf8(entry.szExeFile);
    CloseHandle(snapshot);
    return names;
}

BOOL CALLBACK collect(HWND window, LPARAM list)
{
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

HWND focusOfThread(DWORD thread)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
}

std::string describeChild(HWND child, HWND focus)
{
    return "{\"handle\": " + jsonHandle(child) + ", \"parent\": " + jsonHandle(GetParent(child)) +
           ", \"class\": " + jsonText(className(child)) +
           ", \"id\": " + std::to_string(GetDlgCtrlID(child)) +
           ", \"style\": " + std::to_string(static_cast<DWORD>(GetWindowLongW(child, GWL_STYLE))) +
           ", \"text\": " + jsonText(windowText(child)) + ", \"rect\": " + jsonRect(child) +
           ", \"visible\": " + jsonBool(IsWindowVisible(child)) + ", \"enabled\": " + jsonBool(IsWindowEnabled(child)) +
           ", \"focused\": " + jsonBool(child == focus) + "}";
}

std::string describeWindow(HWND window, const std::map<DWORD, std::string>& processes)
{
    DWORD pid = 0;
    const DWORD thread = GetWindowThreadProcessId(window, &pid);
    const HWND focus = focusOfThread(thread);
    const auto process = processes.find(pid);
    std::string out = "{\"handle\": " + jsonHandle(window) + ", \"owner\": " + jsonHandle(GetWindow(window, GW_OWNER)) +
                      ", \"title\": " + jsonText(windowText(window)) + ", \"class\": " + jsonText(className(window)) +
                      ", \"rect\": " + jsonRect(window) + ", \"visible\": " + jsonBool(IsWindowVisible(window)) +
                      ", \"enabled\": " + jsonBool(IsWindowEnabled(window)) + ", \"pid\": " + std::to_string(pid) +
                      ", \"process\": " + jsonText(process != processes.end() ? process->second : "") +
                      ", \"children\": [";
    std::vector<HWND> children;
    EnumChildWindows(window, collect, reinterpret_cast<LPARAM>(&children));
    for (size_t i = 0; i < children.size(); ++i)
        out += (i ? ", " : "") + describeChild(children[i], focus);
    return out + "]}";
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::string(argv[1]) == "press") {
        const auto button = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(std::strtoull(argv[2], nullptr, 10)));
        return IsWindow(button) && PostMessageW(button, BM_CLICK, 0, 0) ? 0 : 1;
    }
    const std::map<DWORD, std::string> processes = processNames();
    std::vector<HWND> windows;
    EnumWindows(collect, reinterpret_cast<LPARAM>(&windows));
    const HWND foreground = GetForegroundWindow();
    const HWND focus = foreground ? focusOfThread(GetWindowThreadProcessId(foreground, nullptr)) : nullptr;

    std::string out = "{\"foreground\": " + jsonHandle(foreground) + ", \"focus\": " + jsonHandle(focus) +
                      ", \"windows\": [\n";
    for (size_t i = 0; i < windows.size(); ++i)
        out += (i ? ",\n" : "") + describeWindow(windows[i], processes);
    out += "\n]}\n";
    // Bytes as they are: no text-mode line ends, no code page.
    DWORD written = 0;
    return WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), out.data(), static_cast<DWORD>(out.size()), &written, nullptr)
               ? 0
               : 1;
}
