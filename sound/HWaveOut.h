#pragma once

#include <windows.h>

#include <mmsystem.h>

// The wave-out functions of the system's multimedia library, which is loaded
// when a sound is first opened rather than with the program: loading it and
// its audio drivers' set-up is start-up time that only playing a sound needs.
// Each function takes the arguments of its system namesake; while the library
// cannot be loaded, open answers MMSYSERR_NODRIVER and the others
// MMSYSERR_INVALHANDLE (there is no device to act on).
class HWaveOut {
  public:
    static MMRESULT open(HWAVEOUT* device, UINT id, const WAVEFORMATEX* format, DWORD_PTR callback,
                         DWORD_PTR instance, DWORD flags);
    static MMRESULT prepareHeader(HWAVEOUT device, WAVEHDR* header, UINT size);
    static MMRESULT unprepareHeader(HWAVEOUT device, WAVEHDR* header, UINT size);
    static MMRESULT write(HWAVEOUT device, WAVEHDR* header, UINT size);
    static MMRESULT reset(HWAVEOUT device);
    static MMRESULT close(HWAVEOUT device);
};
