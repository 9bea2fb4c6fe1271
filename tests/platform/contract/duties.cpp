// Every duty of platform/emul/backend.h, taken by address: linked over a backend, one it lacks fails the link.
#include "platform/emul/backend.h"
#include "platform/testing.h"

namespace {
template <typename F>
void (*duty(F* f))() {
    return reinterpret_cast<void (*)()>(f);
}
}  // namespace

namespace win32 {
extern void (*const kBackendDuties[])();
void (*const kBackendDuties[])() = {
    // the table
    duty(backend::CreateNativeWindow),
    duty(backend::ShowNativeWindow),
    duty(backend::PlaceNativeWindow),
    duty(backend::RaiseNativeWindow),
    duty(backend::FocusNativeWindow),
    duty(backend::MinimizeNativeWindow),
    duty(backend::NativeClientOrigin),
    duty(backend::SetNativeIcon),
    duty(backend::SetNativeCursor),
    duty(backend::ReleaseNativeWindow),
    duty(backend::HaveDisplay),
    duty(backend::PumpEvents),
    duty(backend::WaitForEvents),
    duty(backend::CaptureMouse),
    duty(backend::CursorPos),
    duty(backend::SetCursorPos),
    duty(backend::ScreenSize),
    duty(backend::DrawSurfaceText),
    duty(backend::SurfaceTextHeight),
    // the surface calls
    duty(ChoosePixelFormat),
    duty(SetPixelFormat),
    duty(DescribePixelFormat),
    duty(wglCreateContext),
    duty(wglMakeCurrent),
    duty(wglDeleteContext),
    duty(wglGetCurrentContext),
    duty(wglGetProcAddress),
    duty(SwapBuffers),
    duty(EnumDisplaySettingsA),
    duty(MessageBoxA),
    duty(LoadCursorA),
    duty(LoadIconA),
    duty(LoadCursorFromFileA),
    duty(DestroyIcon),
    duty(LoadCursorFromMemory),
    // for tests only
    duty(testing::InjectMouseMove),
    duty(testing::InjectMouseButton),
    duty(testing::InjectKey),
    duty(testing::CompositeChildrenNow),
    duty(testing::CloseBackend),
};
}  // namespace win32
