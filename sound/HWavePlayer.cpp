#include "sound/HWavePlayer.h"

#include "sound/HWaveOut.h"
#include "sound/HWaveSource.h"
#include "support/HDebug.h"
#include "toolkit/HComponent.h"

#include <cstring>

HWavePlayer::HWavePlayer(HComponent* ownerComponent) : owner(ownerComponent) {
    setClassName("HWavePlayer");
    openListener = std::make_unique<HEventListener>(HEventType::byName("MM_WOM_OPEN"));
    doneListener = std::make_unique<HEventListener>(HEventType::byName("MM_WOM_DONE"));
    closeDeviceListener = std::make_unique<HEventListener>(HEventType::byName("MM_WOM_CLOSE"));
    closeWindowListener = std::make_unique<HEventListener>(HEventType::byName("WM_CLOSE"));
    for (HEventListener* forwarder : {openListener.get(), doneListener.get(),
                                      closeDeviceListener.get(), closeWindowListener.get()}) {
        forwarder->setDelegate(this);
        if (owner) {
            owner->addListener(forwarder);
        }
    }
    source = std::make_unique<HWaveSource>();
}

HWavePlayer::~HWavePlayer() {
    // The device must not go on reading buffers that are about to be freed.
    if (device) {
        HWaveOut::reset(device);
        for (const auto& header : headers) {
            if (header) {
                HWaveOut::unprepareHeader(device, header.get(), sizeof(WAVEHDR));
            }
        }
        HWaveOut::close(device);
        device = nullptr;
    }
    releaseBuffers();
    for (std::unique_ptr<HEventListener>* forwarder :
         {&openListener, &doneListener, &closeDeviceListener, &closeWindowListener}) {
        // Messages still queued for the owner must find no dangling listener.
        if (owner) {
            owner->removeListener(forwarder->get());
        }
        forwarder->reset();
    }
    source->setInUse(false);
    source.reset();
}

void HWavePlayer::releaseBuffers() {
    for (int i = 0; i < 2; i++) {
        headers[i].reset();
        if (buffers[i]) {
            HeapFree(GetProcessHeap(), 0, buffers[i]);
            buffers[i] = nullptr;
        }
    }
}

int HWavePlayer::startPlay() {
    if (source->getDataSize() == 0) {
        HLOG_INFO("HWavePlayer", 63, "startPlay:Wave音源未設定");
        return 1;
    }
    if (device) {
        return 0;
    }
    // The device reports only to a window: without one it would never close.
    HWND window = owner ? owner->getHandle() : nullptr;
    if (!window) {
        printMessage("startPlay:no owner window");
        return 1;
    }
    format = source->getFormat();
    position = 0;
    queued = 0;
    stopping = false;
    closePending = false;

    // One second of sound per buffer. A rate of 0 could never advance.
    DWORD bufferSize = format.nAvgBytesPerSec;
    if (bufferSize == 0) {
        HLOG_INFO("HWavePlayer", 104, "startPlay error:サポートされていない形式");
        return 1;
    }
    // Never more than the whole sound: the rate is the file's word, and a
    // buffer of its size is zeroed past the data (4 GB for a rate of 4 GB/s).
    if (bufferSize > source->getDataSize()) {
        bufferSize = source->getDataSize();
    }
    for (int i = 0; i < 2; i++) {
        headers[i] = std::make_unique<WAVEHDR>();
        buffers[i] = static_cast<char*>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, bufferSize));
    }
    MMRESULT opened = MMSYSERR_NOMEM;
    if (buffers[0] && buffers[1]) {
        opened = HWaveOut::open(&device, WAVE_MAPPER, &format, reinterpret_cast<DWORD_PTR>(window),
                                0, CALLBACK_WINDOW);
    }
    if (opened != MMSYSERR_NOERROR) {
        releaseBuffers();
        device = nullptr;
        switch (opened) {
        case MMSYSERR_ALLOCATED:
            HLOG_INFO("HWavePlayer", 95, "startPlay error:リソース割り当て済み");
            return 1;
        case MMSYSERR_NODRIVER:
            HLOG_INFO("HWavePlayer", 98, "startPlay error:デバイスドライバなし");
            return 1;
        case MMSYSERR_NOMEM:
            HLOG_INFO("HWavePlayer", 101, "startPlay error:メモリ割り当て失敗");
            return 1;
        case WAVERR_BADFORMAT:
            HLOG_INFO("HWavePlayer", 104, "startPlay error:サポートされていない形式");
            return 1;
        case WAVERR_SYNC:
            HLOG_INFO("HWavePlayer", 107, "startPlay error:デバイス同期エラー");
            return 1;
        default:
            // Not logged, but not reported as started either.
            return 1;
        }
    }
    // The data stays in the source's file buffer while the device plays it.
    source->setInUse(true);
    for (int i = 0; i < 2; i++) {
        headers[i]->lpData = buffers[i];
        headers[i]->dwBufferLength = bufferSize;
        HWaveOut::prepareHeader(device, headers[i].get(), sizeof(WAVEHDR));
    }
    return 0;
}

void HWavePlayer::fillAndWrite(WAVEHDR* header) {
    std::uint32_t size = source->getDataSize();
    if (position >= size) {
        return;
    }
    std::uint32_t remaining = size - position;
    DWORD length = header->dwBufferLength;
    if (remaining < header->dwBufferLength) {
        header->dwBufferLength = remaining;
    }
    std::memcpy(header->lpData, source->getData() + position, header->dwBufferLength);
    position += header->dwBufferLength;
    if (header->dwBufferLength < length) {
        std::memset(header->lpData + header->dwBufferLength, 0, length - header->dwBufferLength);
    }
    if (HWaveOut::write(device, header, sizeof(WAVEHDR)) == MMSYSERR_NOERROR) {
        queued++;
    }
}

bool HWavePlayer::handleEvent(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                              HComponent* component, LRESULT* result) {
    HEventListener::handleEvent(hwnd, msg, wParam, lParam, component, result);
    switch (msg) {
    case MM_WOM_OPEN:
        if (device && reinterpret_cast<HWAVEOUT>(wParam) == device) {
            fillAndWrite(headers[0].get());
            fillAndWrite(headers[1].get());
            *result = 0;
        }
        break;
    case MM_WOM_DONE:
        if (device && reinterpret_cast<HWAVEOUT>(wParam) == device) {
            WAVEHDR* header = reinterpret_cast<WAVEHDR*>(lParam);
            bool ours = header == headers[0].get() || header == headers[1].get();
            if (ours && queued > 0) {
                queued--;
            }
            if (ours && !stopping && position < source->getDataSize()) {
                fillAndWrite(header);
            } else if (queued == 0) {
                // Only once the other buffer is back too: some devices close
                // at once and drop what is still queued, instead of refusing
                // while it plays. The other buffer's done message closes.
                HWaveOut::close(device);
            }
            *result = 0;
        }
        break;
    case MM_WOM_CLOSE:
        if (device && reinterpret_cast<HWAVEOUT>(wParam) == device) {
            for (const auto& header : headers) {
                HWaveOut::unprepareHeader(device, header.get(), sizeof(WAVEHDR));
            }
            releaseBuffers();
            device = nullptr;
            source->setInUse(false);
            if (closePending) {
                closePending = false;
                if (owner && owner->getHandle()) {
                    SendMessageA(owner->getHandle(), WM_CLOSE, 0, 0);
                }
            }
            *result = 0;
        }
        break;
    case WM_CLOSE:
        if (device) {
            stopping = true;
            closePending = true;
            HWaveOut::reset(device);
            *result = 0;
            return false;
        }
        break;
    default:
        break;
    }
    return true;
}

int HWavePlayer::stopPlay() {
    if (!device) {
        return 1;
    }
    stopping = true;
    if (HWaveOut::reset(device) != MMSYSERR_NOERROR) {
        HLOG_INFO("HWavePlayer", 154, "stopPlay:停止時にエラー発生");
        return 1;
    }
    return 0;
}
