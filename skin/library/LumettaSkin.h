/* LumettaSkin.dll: the Lumetta skin engine for any Win32 program, behind a plain C interface.
 *
 * One call skins a program: LumettaSkinStart(NULL) on the thread that runs its windows gives
 * every window of that thread the built-in skin (frames, title bars, menu bars, menus and the
 * standard controls), those it has now and those it makes later.
 *
 * The contract:
 * - Every function is __stdcall, exported under its plain name in both architectures (so
 *   GetProcAddress(module, "LumettaSkinStart") works), and returns a LumettaSkinResult.
 *   Nothing else crosses: no exceptions, no C++ types. File names are wide strings.
 * - A call that failed can say why: LumettaSkinLastError copies the reason, in words, of the
 *   last call this thread made that failed (empty after a call that succeeded).
 * - The engine lives on the thread that started it: its hook, its timer and every window it
 *   skins belong to that thread, which must run a message loop. Every other call must come
 *   from that thread; from any other one it fails with LUMETTA_SKIN_WRONG_THREAD. The library
 *   starts no thread of its own and does nothing in DllMain.
 * - A skin file that cannot be used (missing, not a skin archive, or with images past the
 *   load bounds of 16,777,216 pixels per image and 128 MB for all of them) is never applied,
 *   in part or whole: the call fails with its reason and the skin in use stays.
 * - LumettaSkinStop gives every window its native look back and takes out everything of the
 *   library (hook, timers, window procedures, window classes), so the DLL can then be freed
 *   and loaded again. Free it only after Stop: while started, the library holds a reference
 *   to itself, so a FreeLibrary before Stop leaves it loaded. One exception: where a window
 *   was subclassed again by someone after the engine, the engine's procedure cannot be taken
 *   out of its chain; it then only passes messages on, and the DLL stays loaded until the
 *   process ends (FreeLibrary does not unmap it).
 */
#ifndef LUMETTA_SKIN_H
#define LUMETTA_SKIN_H

#include <wchar.h>

#ifdef __cplusplus
extern "C" {
#endif

#ifdef LUMETTA_SKIN_BUILD
#define LUMETTA_SKIN_API __declspec(dllexport)
#else
#define LUMETTA_SKIN_API __declspec(dllimport)
#endif

/* The version this header describes: major in the high word, minor in the low (2.20). */
#define LUMETTA_SKIN_VERSION 0x00020014UL

/* A message any window can be sent: a window the engine skins answers 1. */
#define LUMETTA_SKIN_QUERY 0x3504

typedef enum LumettaSkinResult {
  LUMETTA_SKIN_OK = 0,
  LUMETTA_SKIN_NO_SUCH_FILE = 1,   /* the skin file does not exist */
  LUMETTA_SKIN_NOT_A_FILE = 2,     /* the name is a folder or a device */
  LUMETTA_SKIN_UNREADABLE = 3,     /* the file could not be read */
  LUMETTA_SKIN_NOT_A_SKIN = 4,     /* not a skin archive this engine can read */
  LUMETTA_SKIN_IMAGES_REFUSED = 5, /* its images pass the load bounds; the text names them */
  LUMETTA_SKIN_WRONG_THREAD = 6,   /* called from a thread other than the one that started */
  LUMETTA_SKIN_ALREADY_STARTED = 7,
  LUMETTA_SKIN_NOT_STARTED = 8,
  LUMETTA_SKIN_FAILED = 9 /* anything else; the text says what */
} LumettaSkinResult;

/* Starts skinning the calling thread's windows with the skin file (NULL: the built-in skin).
 * The windows the thread shows now are skinned at once, later ones as they are activated. */
LUMETTA_SKIN_API int __stdcall LumettaSkinStart(const wchar_t* skinFile);

/* Loads another skin (NULL: the built-in one); every skinned window repaints with it. */
LUMETTA_SKIN_API int __stdcall LumettaSkinLoad(const wchar_t* skinFile);

/* Switches skinning off (0: every window native again) and on (non-zero), at once. */
LUMETTA_SKIN_API int __stdcall LumettaSkinSetEnabled(int enabled);

/* Stops: every window native again, nothing of the library left with the system. */
LUMETTA_SKIN_API int __stdcall LumettaSkinStop(void);

/* The library's version, as LUMETTA_SKIN_VERSION. */
LUMETTA_SKIN_API unsigned long __stdcall LumettaSkinVersion(void);

/* Copies the reason of this thread's last failed call into buffer (capacity characters with
 * the closing zero; cut to fit) and answers the reason's full length; 0 when the last call
 * succeeded. buffer may be NULL with capacity 0 to ask for the length. */
LUMETTA_SKIN_API int __stdcall LumettaSkinLastError(wchar_t* buffer, int capacity);

/* For SkinRun.exe, not for programs: run as a thread procedure in a program SkinRun started
 * suspended, it arranges for LumettaSkinStart to run on the program's main thread at its first
 * message, with the skin SkinRun names. Answers 0, or the system's error code. */
LUMETTA_SKIN_API unsigned long __stdcall LumettaSkinRunAttach(void* unused);

#ifdef __cplusplus
}
#endif

#endif /* LUMETTA_SKIN_H */
