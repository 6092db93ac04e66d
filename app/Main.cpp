// Program entry: one copy per desktop, marked by a named mutex.

#include "app/Unit1.h"
#include "framework/Application.h"

namespace {
const char* const kInstanceName = "MOXEL Utility V1.1";

// A second copy brings the running one's application window forward and ends.
void ActivateRunningCopy() {
    HWND running = FindWindowA(nullptr, kInstanceName);
    if (running && !SetForegroundWindow(running))
        MessageBoxA(nullptr, "MOXEL Utility is Running!!", "MoxelUtility", MB_OK);
}
} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // Held for the life of the process; the system drops it at exit.
    CreateMutexA(nullptr, TRUE, kInstanceName);
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        ActivateRunningCopy();
        return 0;
    }
    RegisterFormClasses();
    TApplication application;
    application.SetTitle(kInstanceName);
    try {
        application.CreateForm<TForm1>();
    } catch (const std::exception& error) {
        application.ShowException(error);
        return 1;
    }
    application.Run();
    return 0;
}
