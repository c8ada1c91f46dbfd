#pragma once
// The application shell's fixed numbers and names: the command protocol other processes use to drive a running
// player, the instance identity, and the texts of start-up.
#include <cstdint>

#include "shell/TrayExtProtocol.h"  // kShellHookMessageBase
#include "skins/SkinFileNames.h"  // kSkinPackageExtension

namespace nv {

// --- The command protocol (other processes rely on these numbers) ---

// A player command code in wParam, 0 in lParam, sent or posted to the player window.
inline constexpr unsigned WM_PLAYERCOMMAND = 0x0400 + 99;  // WM_USER + 99 = 1123

// Player command codes. 8..14, 46 and 47 are the system's APPCOMMAND numbers; the others are the player's own.
inline constexpr unsigned kCommandMute = 8;
inline constexpr unsigned kCommandVolumeDown = 9;
inline constexpr unsigned kCommandVolumeUp = 10;
inline constexpr unsigned kCommandNextTrack = 11;
inline constexpr unsigned kCommandPreviousTrack = 12;
inline constexpr unsigned kCommandStop = 13;
inline constexpr unsigned kCommandPlayPause = 14;
inline constexpr unsigned kCommandPlay = 46;
inline constexpr unsigned kCommandPause = 47;
inline constexpr unsigned kCommandReloadSkin = 257;
inline constexpr unsigned kCommandPreferences = 258;
inline constexpr unsigned kCommandClose = 259;
inline constexpr unsigned kCommandClearPlaylist = 260;

// dwData of the WM_COPYDATA file hand-over: 1 appends to the playlist, 0 replaces it (and starts playback).
inline constexpr std::uintptr_t kHandOverReplace = 0;
inline constexpr std::uintptr_t kHandOverAppend = 1;

// --- Instance identity ---

inline constexpr wchar_t kInstanceAtomName[] = L"Norvale";
inline constexpr wchar_t kPlayerWindowClass[] = L"TPlayerTrayFm";
inline constexpr wchar_t kTaskbarWindowClass[] = L"Shell_TrayWnd";

// A second instance looks for the running player's window this many times, this far apart (about a second),
// before it becomes a player itself.
inline constexpr int kPlayerWindowSearchTries = 51;
inline constexpr unsigned kPlayerWindowSearchIntervalMs = 20;

// How long start-up waits for the elevated "/install" run it started before connecting again, and an install run
// for the registration of the tray extension's server.
inline constexpr unsigned kElevatedInstallWaitMs = 30000;
inline constexpr unsigned kRegistrationWaitMs = 30000;

// The tray extension's 64-bit COM server, beside the program.
inline constexpr wchar_t kServerFileName[] = L"Norvale.dll";

// The main window renews its registration for shell events with the tray extension on this timer; a server that
// has gone is found then, and reached again.
inline constexpr std::uintptr_t kShellHookRenewTimer = 1003;
inline constexpr unsigned kShellHookRenewIntervalMs = 10000;

// --- The main player form ---

// Shell events reach the main window as the tray extension's message base plus the hook code: an application
// command (a media key) and a window activation.
inline constexpr unsigned WM_SHELLHOOKBASE = kShellHookMessageBase;           // WM_USER + 120 = 1144
inline constexpr unsigned WM_SHELLHOOK_ACTIVATED = WM_SHELLHOOKBASE + 4;     // 1148
inline constexpr unsigned WM_SHELLHOOK_APPCOMMAND = WM_SHELLHOOKBASE + 12;   // 1156
// The update checker's result.
inline constexpr unsigned WM_UPDATECHECKED = 0x0400 + 988;  // 2012

// The main window's timers: closing once a graph build has let go, trimming the working set, and the renewal of
// the shell hook registrations (kShellHookRenewTimer above).
inline constexpr std::uintptr_t kCloseTimer = 1001;
inline constexpr unsigned kCloseTimerIntervalMs = 10;
inline constexpr std::uintptr_t kTrimWorkingSetTimer = 1002;

// How far a step moves the position, and a volume command the volume.
inline constexpr int kStepMs = 5000;
inline constexpr int kVolumeStep = 5;

// The maker's web pages, opened with the shell.
inline constexpr wchar_t kHomePageAddress[] = L"https://www.brindle.example/";
inline constexpr wchar_t kFaqPageAddress[] = L"https://www.brindle.example/norvale_faq.html";
inline constexpr wchar_t kHelpPageAddress[] = L"https://www.brindle.example/norvale_help.html";

// --- Texts ---

inline constexpr char kApplicationTitle[] = "Brindle Norvale";
inline constexpr char kTaskbarNotFoundMessage[] = "Taskbar window is not found.";

// The advice shown before Windows 7 when the taskbar is not kept on top; the answer may be silenced.
inline constexpr char kTaskbarNotOnTopMessage[] =
    "Norvale has detected that \"Always on top\" property is not set for Taskbar window.\n"
    "It is recommended to set it \"On\".";
inline constexpr int kTaskbarNotOnTopHelpContext = 12;
inline constexpr char kTaskbarNotOnTopQuestion[] = "Tray StayOnTop";

}  // namespace nv
