#pragma once

#include "toolkit/HEventListener.h"

#include <windows.h>
#include <mmsystem.h>

#include <cstdint>
#include <memory>

class HComponent;
class HWaveSource;

// Plays its HWaveSource through the wave-out device, streaming the data through
// two buffers of one second each. The device reports to the owner's window
// (MM_WOM_OPEN, MM_WOM_DONE, MM_WOM_CLOSE), where the player listens; it also
// holds back the owner's WM_CLOSE until a running sound has stopped.
// Delete the player while its owner object still exists.
class HWavePlayer : public HEventListener {
  public:
    // Registers the player's listeners on the owner (when given).
    explicit HWavePlayer(HComponent* owner);
    ~HWavePlayer() override;

    bool handleEvent(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, HComponent* component,
                     LRESULT* result) override;

    // The source callers load a file into.
    HWaveSource* getSource() const { return source.get(); }
    // 0 started or already playing; 1 nothing to play or the device could not
    // be opened.
    int startPlay();
    // 0 a running playback was told to stop; 1 nothing playing or the stop failed.
    int stopPlay();
    // The device is open (opening, playing or closing).
    bool isPlaying() const { return device != nullptr; }

    HWAVEOUT getDevice() const { return device; }
    std::uint32_t getPosition() const { return position; }

  private:
    void fillAndWrite(WAVEHDR* header);
    void releaseBuffers();

    HComponent* owner; // borrowed: must outlive the player
    // Forwarders: each listens to one message on the owner and hands it to
    // the player.
    std::unique_ptr<HEventListener> openListener;
    std::unique_ptr<HEventListener> doneListener;
    std::unique_ptr<HEventListener> closeDeviceListener;
    std::unique_ptr<HEventListener> closeWindowListener;
    HWAVEOUT device = nullptr;
    char* buffers[2] = {nullptr, nullptr};
    // While the device is open; the device names the one it gives back.
    std::unique_ptr<WAVEHDR> headers[2];
    std::unique_ptr<HWaveSource> source;
    WAVEFORMATEX format = {};
    std::uint32_t position = 0;
    // Buffers written to the device and not yet returned by it.
    int queued = 0;
    bool stopping = false;
    bool closePending = false;
};
