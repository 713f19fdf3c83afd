// A small Win32 form for the Windows end-to-end test: three edit controls, the first one focused.
//   win32_form.exe REPORT
// After every change it rewrites REPORT (UTF-8): one line per field, then the focused field's
// number. It writes REPORT once when it is shown and its first field has the focus.
#include <string>
#include <windows.h>

#include <shellapi.h> // after windows.h, which it needs

namespace {

constexpr int kFields = 3;
HWND g_fields[kFields];
HWND g_lastFocus = nullptr;
std::wstring g_report;

std::string Utf8(const std::wstring& w) {
    if (w.empty()) return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), int(w.size()), nullptr, 0, nullptr, nullptr);
    std::string s(n, '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.data(), int(w.size()), s.data(), n, nullptr, nullptr);
    return s;
}

void WriteReport() {
    std::string text;
    for (HWND f : g_fields) {
        std::wstring w(GetWindowTextLengthW(f) + 1, L'\0');
        w.resize(GetWindowTextW(f, w.data(), int(w.size())));
        text += Utf8(w) + "\n";
    }
    int focused = 0;
    for (int i = 0; i < kFields; ++i)
        if (GetFocus() == g_fields[i]) focused = i + 1;
    text += "focus " + std::to_string(focused) + "\n";
    // Written beside and moved over, so a reader never sees half a report.
    const std::wstring part = g_report + L".part";
    HANDLE h = CreateFileW(part.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(h, text.data(), DWORD(text.size()), &written, nullptr);
    CloseHandle(h);
    MoveFileExW(part.c_str(), g_report.c_str(), MOVEFILE_REPLACE_EXISTING);
}

LRESULT CALLBACK FormProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_COMMAND:
        if (HIWORD(wp) == EN_CHANGE || HIWORD(wp) == EN_SETFOCUS) WriteReport();
        return 0;
    case WM_ACTIVATE:
        // As a dialog does: the field that had the focus gets it back when the form is active again
        // (the run's confirmation takes the foreground for a moment).
        if (LOWORD(wp) == WA_INACTIVE) {
            g_lastFocus = GetFocus();
        } else if (g_lastFocus) {
            SetFocus(g_lastFocus);
        }
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(w, msg, wp, lp);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argc < 2) return 2;
    g_report = argv[1];
    WNDCLASSW wc{};
    wc.lpfnWndProc = FormProc;
    wc.hInstance = instance;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = L"TelmoTestForm";
    RegisterClassW(&wc);
    HWND form = CreateWindowW(L"TelmoTestForm", L"填表测试", WS_OVERLAPPEDWINDOW, 40, 40, 420, 200, nullptr,
                              nullptr, instance, nullptr);
    for (int i = 0; i < kFields; ++i) {
        g_fields[i] = CreateWindowExW(
            WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, 10,
            10 + 40 * i, 380, 28, form, reinterpret_cast<HMENU>(INT_PTR(100 + i)), instance, nullptr);
    }
    ShowWindow(form, SW_SHOW);
    SetForegroundWindow(form);
    SetFocus(g_fields[0]);
    g_lastFocus = g_fields[0];
    WriteReport();
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (IsDialogMessageW(form, &msg)) continue; // Tab moves between the fields, as in a dialog
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
