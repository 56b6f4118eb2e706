#include "exchange/HelperProcess.h"

#include "platform/WideText.h"

#include <algorithm>
#include <memory>
#include <vector>

#include <windows.h>

namespace drawbook {

namespace {

class Handle {
public:
    explicit Handle(HANDLE handle = nullptr) : m_handle(handle == INVALID_HANDLE_VALUE ? nullptr : handle) {}
    ~Handle() { Close(); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE Get() const { return m_handle; }
    void Close() {
        if (m_handle != nullptr) {
            CloseHandle(m_handle);
            m_handle = nullptr;
        }
    }

private:
    HANDLE m_handle;
};

// One argument as the C runtime splits the command line again: quoted when it holds
// a space, a tab or a quote, with the backslashes before a quote doubled.
void AppendArgument(std::wstring& line, const std::wstring& arg) {
    if (!line.empty()) {
        line += L' ';
    }
    if (!arg.empty() && arg.find_first_of(L" \t\"") == std::wstring::npos) {
        line += arg;
        return;
    }
    line += L'"';
    std::size_t backslashes = 0;
    for (const wchar_t c : arg) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        line.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        line += c;
    }
    line.append(backslashes * 2, L'\\');
    line += L'"';
}

// The attribute list that lets the helper inherit only its three standard handles, so
// two helpers started at once never hold each other's pipes open.
class InheritedHandles {
public:
    explicit InheritedHandles(std::vector<HANDLE> handles) : m_handles(std::move(handles)) {
        SIZE_T size = 0;
        InitializeProcThreadAttributeList(nullptr, 1, 0, &size);
        m_buffer = std::make_unique<char[]>(size);
        m_list = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(m_buffer.get());
        if (!InitializeProcThreadAttributeList(m_list, 1, 0, &size)) {
            m_list = nullptr;
            return;
        }
        if (!UpdateProcThreadAttribute(m_list, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, m_handles.data(),
                                       m_handles.size() * sizeof(HANDLE), nullptr, nullptr)) {
            DeleteProcThreadAttributeList(m_list);
            m_list = nullptr;
        }
    }
    ~InheritedHandles() {
        if (m_list != nullptr) {
            DeleteProcThreadAttributeList(m_list);
        }
    }
    InheritedHandles(const InheritedHandles&) = delete;
    InheritedHandles& operator=(const InheritedHandles&) = delete;
    LPPROC_THREAD_ATTRIBUTE_LIST Get() const { return m_list; }

private:
    std::vector<HANDLE> m_handles;
    std::unique_ptr<char[]> m_buffer;
    LPPROC_THREAD_ATTRIBUTE_LIST m_list = nullptr;
};

} // namespace

HelperRun StreamHelper(const std::string& program, const std::vector<std::string>& args,
                       std::chrono::milliseconds limit, const HelperOutput& output) {
    constexpr std::chrono::milliseconds kTick{100};
    constexpr DWORD kWaitStep = 10; // ms between looks at a quiet pipe
    HelperRun run;

    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) {
        return run;
    }
    Handle reader(readEnd);
    Handle writer(writeEnd);
    SetHandleInformation(reader.Get(), HANDLE_FLAG_INHERIT, 0);
    Handle input(
        CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0, nullptr));
    Handle errors(
        CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0, nullptr));
    if (input.Get() == nullptr || errors.Get() == nullptr) {
        return run;
    }
    const InheritedHandles handles({input.Get(), writer.Get(), errors.Get()});
    if (handles.Get() == nullptr) {
        return run;
    }

    std::wstring commandLine;
    const std::wstring application = WideFromUtf8(program);
    AppendArgument(commandLine, application);
    for (const std::string& arg : args) {
        AppendArgument(commandLine, WideFromUtf8(arg));
    }
    STARTUPINFOEXW startup{};
    startup.StartupInfo.cb = sizeof startup;
    startup.StartupInfo.dwFlags = STARTF_USESTDHANDLES;
    startup.StartupInfo.hStdInput = input.Get();
    startup.StartupInfo.hStdOutput = writer.Get();
    startup.StartupInfo.hStdError = errors.Get();
    startup.lpAttributeList = handles.Get();
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(application.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                        CREATE_NO_WINDOW | EXTENDED_STARTUPINFO_PRESENT, nullptr, nullptr, &startup.StartupInfo,
                        &started)) {
        return run;
    }
    run.started = true;
    Handle process(started.hProcess);
    CloseHandle(started.hThread);
    writer.Close(); // so that the child's end alone keeps the pipe open
    input.Close();
    errors.Close();

    const auto deadline = std::chrono::steady_clock::now() + limit;
    auto quietSince = std::chrono::steady_clock::now();
    char buffer[65536];
    for (;;) {
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline) {
            run.timedOut = true;
            break;
        }
        DWORD available = 0;
        if (!PeekNamedPipe(reader.Get(), nullptr, 0, nullptr, &available, nullptr)) {
            break; // the output is closed: the helper has ended or is about to
        }
        if (available == 0) {
            if (now - quietSince >= kTick) {
                quietSince = now;
                if (!output({})) {
                    run.stopped = true;
                    break;
                }
            }
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - now);
            // A helper that has ended still leaves its last output in the pipe: read on until it is closed.
            WaitForSingleObject(process.Get(), static_cast<DWORD>(std::clamp<long long>(left.count(), 1, kWaitStep)));
            continue;
        }
        DWORD got = 0;
        if (!ReadFile(reader.Get(), buffer, std::min<DWORD>(available, sizeof buffer), &got, nullptr) || got == 0) {
            break;
        }
        quietSince = std::chrono::steady_clock::now();
        if (!output(std::string_view(buffer, got))) {
            run.stopped = true;
            break;
        }
    }
    // A helper that closed its output but lingers is given the rest of the limit.
    if (!run.timedOut && !run.stopped) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (WaitForSingleObject(process.Get(), static_cast<DWORD>(std::max<long long>(left.count(), 0))) !=
            WAIT_OBJECT_0) {
            run.timedOut = true;
        }
    }
    if (run.timedOut || run.stopped) {
        TerminateProcess(process.Get(), 1);
        WaitForSingleObject(process.Get(), INFINITE);
        return run;
    }
    DWORD code = 0;
    if (!GetExitCodeProcess(process.Get(), &code)) {
        run.started = false;
        return run;
    }
    // Windows has no signals: a crash is an exit code such as 0xC0000005.
    run.exitCode = static_cast<int>(code);
    return run;
}

} // namespace drawbook
