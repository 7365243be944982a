#include "sound/HWaveOut.h"

namespace {

using OpenFunction = MMRESULT(WINAPI*)(HWAVEOUT*, UINT, const WAVEFORMATEX*, DWORD_PTR, DWORD_PTR,
                                       DWORD);
using HeaderFunction = MMRESULT(WINAPI*)(HWAVEOUT, WAVEHDR*, UINT);
using DeviceFunction = MMRESULT(WINAPI*)(HWAVEOUT);

// The library's entry points, found once; it stays loaded until the program ends.
struct Library {
    OpenFunction open = nullptr;
    HeaderFunction prepareHeader = nullptr;
    HeaderFunction unprepareHeader = nullptr;
    HeaderFunction write = nullptr;
    DeviceFunction reset = nullptr;
    DeviceFunction close = nullptr;

    Library() {
        HMODULE module = LoadLibraryA("winmm.dll");
        if (module == nullptr) {
            return;
        }
        open = find<OpenFunction>(module, "waveOutOpen");
        prepareHeader = find<HeaderFunction>(module, "waveOutPrepareHeader");
        unprepareHeader = find<HeaderFunction>(module, "waveOutUnprepareHeader");
        write = find<HeaderFunction>(module, "waveOutWrite");
        reset = find<DeviceFunction>(module, "waveOutReset");
        close = find<DeviceFunction>(module, "waveOutClose");
    }

    template <typename Function> static Function find(HMODULE module, const char* name) {
        return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    }
};

const Library& library() {
    static const Library loaded;
    return loaded;
}

} // namespace

MMRESULT HWaveOut::open(HWAVEOUT* device, UINT id, const WAVEFORMATEX* format, DWORD_PTR callback,
                        DWORD_PTR instance, DWORD flags) {
    OpenFunction function = library().open;
    return function ? function(device, id, format, callback, instance, flags) : MMSYSERR_NODRIVER;
}

MMRESULT HWaveOut::prepareHeader(HWAVEOUT device, WAVEHDR* header, UINT size) {
    HeaderFunction function = library().prepareHeader;
    return function ? function(device, header, size) : MMSYSERR_INVALHANDLE;
}

MMRESULT HWaveOut::unprepareHeader(HWAVEOUT device, WAVEHDR* header, UINT size) {
    HeaderFunction function = library().unprepareHeader;
    return function ? function(device, header, size) : MMSYSERR_INVALHANDLE;
}

MMRESULT HWaveOut::write(HWAVEOUT device, WAVEHDR* header, UINT size) {
    HeaderFunction function = library().write;
    return function ? function(device, header, size) : MMSYSERR_INVALHANDLE;
}

MMRESULT HWaveOut::reset(HWAVEOUT device) {
    DeviceFunction function = library().reset;
    return function ? function(device) : MMSYSERR_INVALHANDLE;
}

MMRESULT HWaveOut::close(HWAVEOUT device) {
    DeviceFunction function = library().close;
    return function ? function(device) : MMSYSERR_INVALHANDLE;
}
