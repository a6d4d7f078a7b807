#include "tests/support/win32/SystemDpi.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cwchar>
#include <vector>

#include "win/Handles.h"

namespace {

const wchar_t dpiVariable[] = L"BRIXOL_REQUESTED_DPI";
const wchar_t readyEventVariable[] = L"BRIXOL_DPI_READY_EVENT";
// How long a started process may take to read its DPI.
const DWORD readyLimitMs = 30000;

// Sets an environment variable of this process for the scope's life; a
// started process inherits it.
class EnvironmentScope {
public:
    EnvironmentScope(const wchar_t* name, const std::wstring& value) : name_(name)
    {
        SetEnvironmentVariableW(name_, value.c_str());
    }
    ~EnvironmentScope() { SetEnvironmentVariableW(name_, nullptr); }
    EnvironmentScope(const EnvironmentScope&) = delete;
    EnvironmentScope& operator=(const EnvironmentScope&) = delete;

private:
    const wchar_t* name_;
};

using UniqueRegistryKey = UniqueAny<HKEY, RegCloseKey>;

// The system DPI that processes started from now on read, set until restore
// (or the end of the scope), when the earlier value comes back, or none if
// there was none.
class LogPixelsOverride {
public:
    explicit LogPixelsOverride(int dpi)
    {
        HKEY opened = nullptr;
        if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0,
                            KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &opened, nullptr) != ERROR_SUCCESS)
            return;
        key_.reset(opened);
        DWORD size = 0;
        if (RegQueryValueExW(key_.get(), valueName, nullptr, &previousType_, nullptr, &size) == ERROR_SUCCESS) {
            previous_.resize(size);
            hadValue_ = RegQueryValueExW(key_.get(), valueName, nullptr, &previousType_,
                                         previous_.empty() ? nullptr : previous_.data(), &size) == ERROR_SUCCESS;
            previous_.resize(size);
        }
        const DWORD value = static_cast<DWORD>(dpi);
        set_ = RegSetValueExW(key_.get(), valueName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                              sizeof value) == ERROR_SUCCESS;
    }
    ~LogPixelsOverride() { restore(); }
    LogPixelsOverride(const LogPixelsOverride&) = delete;
    LogPixelsOverride& operator=(const LogPixelsOverride&) = delete;

    bool set() const { return set_; }

    void restore()
    {
        if (!set_)
            return;
        set_ = false;
        if (hadValue_)
            RegSetValueExW(key_.get(), valueName, 0, previousType_, previous_.empty() ? nullptr : previous_.data(),
                           static_cast<DWORD>(previous_.size()));
        else
            RegDeleteValueW(key_.get(), valueName);
    }

private:
    static constexpr const wchar_t* valueName = L"LogPixels";

    UniqueRegistryKey key_;
    bool set_ = false;
    bool hadValue_ = false;
    DWORD previousType_ = 0;
    std::vector<BYTE> previous_;
};

// A file that receives the started process's output and disappears when the
// last handle to it is closed.
UniqueFile createOutputFile()
{
    wchar_t folder[MAX_PATH];
    wchar_t path[MAX_PATH];
    if (GetTempPathW(MAX_PATH, folder) == 0 || GetTempFileNameW(folder, L"dpi", 0, path) == 0)
        return {};
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    return UniqueFile(CreateFileW(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  &inheritable, CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE,
                                  nullptr));
}

std::string readWhole(HANDLE file)
{
    std::string text;
    if (SetFilePointer(file, 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER)
        return text;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0)
        text.append(buffer, read);
    return text;
}

std::wstring thisProgram()
{
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    return std::wstring(path, length < MAX_PATH ? length : 0);
}

std::wstring widen(const std::string& text)
{
    return std::wstring(text.begin(), text.end());
}

// In a process started at a requested DPI: tells the starting process that
// the DPI has been read, and fails the whole run, before any case, when it is
// not the one asked for.
class RequestedDpiCheck : public ::testing::Environment {
public:
    void SetUp() override
    {
        const int requested = requestedDpi();
        if (requested == 0)
            return;
        const int seen = screenDpi();
        const UniqueKernelHandle ready(OpenEventW(EVENT_MODIFY_STATE, FALSE, environmentValue(readyEventVariable).c_str()));
        if (ready)
            SetEvent(ready.get());
        ASSERT_EQ(seen, requested) << "this process was started to run at another system DPI";
    }
};

::testing::Environment* const requestedDpiCheck = ::testing::AddGlobalTestEnvironment(new RequestedDpiCheck);

}  // namespace

int screenDpi()
{
    const WindowDcScope screen(nullptr);
    return screen.get() != nullptr ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
}

bool systemDpiFollowsTheRegistry()
{
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

int requestedDpi()
{
    const std::wstring value = environmentValue(dpiVariable);
    return static_cast<int>(std::wcstol(value.c_str(), nullptr, 10));
}

ChildRun runThisProgramAtDpi(int dpi, const std::string& gtestFilter, unsigned long timeLimitMs)
{
    ChildRun run;
    const UniqueFile output = createOutputFile();
    const std::wstring eventName =
        L"BrixolDpiReady-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(GetTickCount());
    const UniqueKernelHandle ready(CreateEventW(nullptr, TRUE, FALSE, eventName.c_str()));
    if (!output || !ready)
        return run;

    const EnvironmentScope dpiScope(dpiVariable, std::to_wstring(dpi));
    const EnvironmentScope eventScope(readyEventVariable, eventName);
    LogPixelsOverride logPixels(dpi);
    if (!logPixels.set())
        return run;

    const std::wstring program = thisProgram();
    std::wstring commandLine = L"\"" + program + L"\" --gtest_filter=" + widen(gtestFilter);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = nullptr;
    startup.hStdOutput = output.get();
    startup.hStdError = output.get();
    PROCESS_INFORMATION created{};
    if (!CreateProcessW(program.c_str(), &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                        &created))
        return run;
    run.started = true;
    const UniqueKernelHandle process(created.hProcess);
    const UniqueKernelHandle thread(created.hThread);

    const HANDLE readyOrEnded[2] = {ready.get(), process.get()};
    WaitForMultipleObjects(2, readyOrEnded, FALSE, readyLimitMs);
    logPixels.restore();

    run.finished = WaitForSingleObject(process.get(), timeLimitMs) == WAIT_OBJECT_0;
    if (!run.finished) {
        TerminateProcess(process.get(), 0xDEAD);
        WaitForSingleObject(process.get(), 10000);
    }
    DWORD code = 0;
    GetExitCodeProcess(process.get(), &code);
    run.exitCode = code;
    run.output = readWhole(output.get());
    return run;
}

std::string describe(const ChildRun& run)
{
    if (!run.started)
        return "the program could not be started again at that DPI";
    std::string text = run.finished ? "exit code " + std::to_string(run.exitCode) : "ended by force at the time limit";
    return text + ", output:\n" + run.output;
}

const char* whyNoRunsAtOtherDpis()
{
    if (requestedDpi() != 0)
        return "already a run at a requested DPI";
    if (!systemDpiFollowsTheRegistry())
        return "this system changes its DPI only at the next log-on";
    return nullptr;
}

void expectPassingRunsAtDpis(const std::vector<int>& dpis, const std::string& gtestFilter)
{
    for (const int dpi : dpis) {
        const ChildRun run = runThisProgramAtDpi(dpi, gtestFilter);
        if (run.finished && run.exitCode == 0)
            std::printf("%s", run.output.c_str());
        else
            ADD_FAILURE() << dpi << " DPI: " << describe(run);
    }
}

std::wstring environmentValue(const wchar_t* name)
{
    wchar_t buffer[MAX_PATH];
    const DWORD length = GetEnvironmentVariableW(name, buffer, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::wstring(buffer, length) : std::wstring();
}

PixelImage pictureOf(const PixelCanvas& canvas)
{
    PixelImage picture(canvas.width(), canvas.height());
    for (int y = 0; y < canvas.height(); ++y) {
        for (int x = 0; x < canvas.width(); ++x) {
            const Rgb pixel = canvas.pixel(x, y);
            picture.row(y)[x] = static_cast<std::uint32_t>(pixel.red << 16 | pixel.green << 8 | pixel.blue);
        }
    }
    return picture;
}

// Each picture as its width, its height and its pixels, 32 bits each.
bool writeReferencePictures(const std::wstring& path, const std::vector<PixelImage>& pictures)
{
    FILE* file = _wfopen(path.c_str(), L"wb");
    if (file == nullptr)
        return false;
    bool written = true;
    for (const PixelImage& picture : pictures) {
        const std::int32_t size[2] = {picture.width(), picture.height()};
        written = written && std::fwrite(size, sizeof size, 1, file) == 1 &&
                  std::fwrite(picture.pixels().data(), sizeof(std::uint32_t), picture.pixels().size(), file) ==
                      picture.pixels().size();
    }
    return std::fclose(file) == 0 && written;
}

std::vector<PixelImage> readReferencePictures(const std::wstring& path)
{
    std::vector<PixelImage> pictures;
    FILE* file = _wfopen(path.c_str(), L"rb");
    if (file == nullptr)
        return pictures;
    std::int32_t size[2] = {};
    while (std::fread(size, sizeof size, 1, file) == 1 && size[0] > 0 && size[1] > 0 && size[0] <= 4096 &&
           size[1] <= 4096) {
        std::vector<std::uint32_t> pixels(static_cast<std::size_t>(size[0]) * static_cast<std::size_t>(size[1]));
        if (std::fread(pixels.data(), sizeof(std::uint32_t), pixels.size(), file) != pixels.size())
            break;
        pictures.emplace_back(size[0], size[1], std::move(pixels));
    }
    std::fclose(file);
    return pictures;
}
