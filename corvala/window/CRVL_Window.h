/// @file
/// The framework's one window: settings, creation and teardown, the window procedure that turns
/// messages into polled input state, and the message pump.
#pragma once
#include <cstdint>

// Installed, the platform headers sit inside the framework's include folder; in the source tree they
// are a folder of their own beside it.
#if __has_include("../platform/win32.h")
#include "../platform/host/host.h"
#include "../platform/win32.h"
#else
#include "platform/host/host.h"
#include "platform/win32.h"
#endif

namespace corvala {

using win32::HDC;
using win32::HGLRC;
using win32::HWND;
using win32::LPARAM;
using win32::LRESULT;
using win32::MSG;
using win32::UINT;
using win32::WNDCLASSEXA;
using win32::WPARAM;

typedef void (*CRVLPROCEDURE)();                                  ///< a hook or drawing routine of the application
typedef LRESULT (*TGETINPUTCOMMAND)(HWND, UINT, WPARAM, LPARAM);  ///< receives the window's menu commands

/// Cursor selectors (SETTYPECURSOR).
enum : int32_t {
    ARROW = 1,         ///< the system's arrow (IDC_ARROW)
    IBEAM = 2,         ///< IDC_IBEAM
    WAIT = 3,          ///< IDC_WAIT
    CROSS = 4,         ///< IDC_CROSS
    UPARROW = 5,       ///< IDC_UPARROW
    SIZE = 6,          ///< IDC_SIZE
    FILECURSOR = 7,    ///< read from CURSORFILE
    SIZENWSE = 8,      ///< IDC_SIZENWSE
    SIZENESW = 9,      ///< IDC_SIZENESW
    SIZEWE = 10,       ///< IDC_SIZEWE
    SIZENS = 11,       ///< IDC_SIZENS
    SIZEALL = 12,      ///< IDC_SIZEALL
    NOCURSOR = 13,     ///< IDC_NO, the slashed circle (not a hidden cursor)
    HAND = 14,         ///< IDC_HAND
    APPSTARTING = 15,  ///< IDC_APPSTARTING
    HELP = 16          ///< IDC_HELP
};
/// Icon selectors (SETTYPEICON).
enum : int32_t {
    GENERIC = 1,  ///< the system's application icon (IDI_APPLICATION)
    FILEICON = 2  ///< read from ICONFILE
};

// ---- window globals ----------------------------------------------------------------------------
extern HWND HWINDOW;                   ///< the framework's one window
extern HDC DCWINDOW;                   ///< its device context, handed to SwapBuffers each frame
extern HGLRC RCWINDOW;                 ///< the OpenGL context, current on the creating thread
extern int32_t WIDTH;                  ///< outer width requested at creation (screen width in full screen)
extern int32_t HEIGHT;                 ///< outer height requested at creation (screen height in full screen)
extern int32_t BITS;                   ///< bits asked for every buffer of the pixel format
extern bool FULLSCREEN;                ///< full-screen window instead of a captioned one
extern int32_t PIXEL_FORMAT_FLAGS;     ///< extra flags OR-ed into the pixel-format request
extern int32_t SETTYPECURSOR;          ///< class cursor selector
extern int32_t SETTYPEICON;            ///< class icon selector
extern const char* CURSORFILE;         ///< cursor file for FILECURSOR (stored, not copied)
extern const char* ICONFILE;           ///< icon file for FILEICON (stored, not copied)
extern uint32_t START;                 ///< tick count taken when mouse-look was already on
extern CRVLPROCEDURE CREATEMENUBAR;    ///< builds a menu bar when SHOWMENUBAR is true
extern CRVLPROCEDURE CREATEMOUSEMENU;  ///< context menu hook when SHOWMENUBAR is true
extern WNDCLASSEXA WINDOWCLASSEX;      ///< the "IMAGEBUTTON" class description
extern HWND HSTATUS;                   ///< the status bar, 0 when there is none
// The vertex path's two switches (render/CRVL_Vector.h). They live here because the window settings reset
// them, and the window room, at the bottom of the framework, includes nothing above it.
extern bool GLVERT3FREMOVE;      ///< true: the wrappers make no GL calls
extern bool GLVERT3FENABLEEDIT;  ///< true: GLVERTEX3F records and displaces vertices

/// @name Typed constants: initialised data the application may change before creating the window
///@{
extern TGETINPUTCOMMAND GETINPUTCOMMAND;  ///< receives menu commands
extern bool SHOWMENUBAR;                  ///< call CREATEMENUBAR at creation; enables the menu hooks
extern bool SHOWSTATUSBAR;                ///< create the status bar at creation
extern const char* CRVLVERSION;           ///< "1.0"
///@}

// ---- input state -------------------------------------------------------------------------------
extern bool ACTIVE;           ///< the program is running: WM_CREATE .. WM_DESTROY
extern int32_t SETKEY[501];   ///< -1 while a key is down, by virtual-key code
extern int32_t SETOMX;        ///< pointer x of the last mouse move
extern int32_t SETOMY;        ///< pointer y of the last mouse move
extern int32_t SETMX;         ///< x of the last left press; 0 after release
extern int32_t SETMY;         ///< y of the last left press; 0 after release
extern bool LEFTMOUSEDOWN;    ///< left button held
extern bool LEFTMOUSEDOWN2;   ///< left button held (a second copy, set alike)
extern bool RIGHTMOUSEDOWN;   ///< right button held
extern bool RIGHTMOUSEDOWN2;  ///< right button held (a second copy, set alike)
extern int32_t XCOORD;        ///< anchor x of the left-button drag
extern int32_t YCOORD;        ///< anchor y of the left-button drag
extern int32_t ZCOORD;        ///< anchor y of the right-button drag
extern float XROT;            ///< rotation accumulator (left-button drags, mouse-look)
extern float YROT;            ///< rotation accumulator (left-button drags, mouse-look)
extern float XROT2;           ///< XROT's second copy, moved alike
extern float YROT2;           ///< YROT's second copy, moved alike
extern float DEPTH;           ///< depth accumulator (right-button drags)
extern float DEPTH2;          ///< DEPTH's second copy, moved alike
extern int32_t MSPEED;        ///< gain of every accumulator step (0: drags do nothing)
extern bool MOUSEFREE;        ///< mouse-look mode
extern win32::POINT MPOS;     ///< pointer position read in mouse-look (screen pixels)
extern MSG MSG_;              ///< the message last taken by SETGLMSG

// ---- routines ----------------------------------------------------------------------------------
/// The next window's cursor and icon: TYPECURSOR is ARROW (system arrow) or a file type whose cursor is read
/// from CURFILE (.cur); TYPEICON is GENERIC or a file type whose icon is read from ICOFILE (.ico).
void OGLWINDOWSETTING(int32_t TYPECURSOR, const char* CURFILE, int32_t TYPEICON, const char* ICOFILE);
/// The window titled APPNAME, APPWIDTH x APPHEIGHT outer pixels, APPBITS colour bits (32), full screen if
/// APPFULLSCREEN, with its OpenGL context current; on failure a message box and exit code 1.
bool CREATEOGLWINDOW(const char* APPNAME, int32_t APPWIDTH, int32_t APPHEIGHT, int32_t APPBITS, bool APPFULLSCREEN);
void POSITIONWINDOW(int32_t X,
                    int32_t Y);  ///< moves the window's top-left corner to screen pixel (X, Y), size WIDTH x HEIGHT
void DELETEOGLWINDOW();          ///< context, device context, window
[[noreturn]] void THROWERROR(const char* PCERRORMESSAGE);  ///< fatal-error box, then exit code 1
bool WINDOWREGISTER();                                     ///< registers "GLWindow" (and "IMAGEBUTTON")
HWND WINDOWCREATE(const char* PCAPPLICATIONNAME);          ///< creates and shows the window
bool WINDOWINIT(HWND HPARENT);                             ///< pixel format and OpenGL context

LRESULT GLWNDPROC(HWND WINDOW, UINT AMESSAGE, WPARAM WPARAM_, LPARAM LPARAM_);  ///< "GLWindow" procedure
void SETGLMSG();                                                                ///< handles at most one pending message

// ---- frame pacing ------------------------------------------------------------------------------
/// Everything a Corvala program moves, it moves per frame, so each loop turn ends with
/// SwapBuffers(DCWINDOW) and then PaceFrame(), which holds the loop to the rate chosen here: by default
/// the design rate of 60 frames a second on every display (vsync where the display runs at a whole
/// multiple of 60 Hz and vsync really waits, a timer otherwise).
using host::PaceMode;
/// Design: 60 a second; Display: vsync at the display's own rate; Rate: `fps` (1 to 1000) a second by
/// the timer; Unpaced: as fast as drawing allows. Takes effect at the next PaceFrame.
void SetFramePacing(PaceMode mode, double fps = 0);
/// After SwapBuffers: waits out the rest of the frame, or lets vsync do it; while HWINDOW is minimized,
/// waits until a message is there for the next turn to take. Where the system presents on a clock of its
/// own (a browser's animation frame), waits for that clock's next frame instead (host::WaitForSystemFrame).
void PaceFrame();
/// The pacing in force, as FramePacingInUse tells it.
struct FramePacing {
    int swap_interval;  ///< vsync: every Nth refresh; 0 when the timer paces (or nothing does)
    double fps;         ///< the timer's rate, also the fall-back when vsync turns out not to pace; 0: unpaced
};
FramePacing FramePacingInUse();  ///< as decided for the current context

}  // namespace corvala
