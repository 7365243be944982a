#include "sound/HWaveSource.h"

#include "sound/HWaveHeader.h"
#include "support/HDebug.h"
#include "support/HFileReader.h"

HWaveSource::HWaveSource() {
    setClassName("HWaveSource");
}

HWaveSource::~HWaveSource() {
    inUse = false;
    reset();
}

void HWaveSource::reset() {
    if (reader) {
        reader.reset();
        data = nullptr;
    }
    dataSize = 0;
}

int HWaveSource::loadFromFile(const HFile& path) {
    // A player streams straight from the file buffer: replacing it now would
    // make the player read freed memory or another sound's bytes.
    if (inUse) {
        HLOG_INFO("HWaveSource", 30, "loadFromFile:再生中のため読込を中止");
        return RESULT_IN_USE;
    }
    reset();
    reader = std::make_unique<HFileReader>(path);
    if (!reader->read() || reader->size() < waveheader::MINIMUM_FILE_SIZE) {
        HLOG_INFO("HWaveSource", 37, "loadFromFile:読込失敗");
        reset();
        return RESULT_READ_ERROR;
    }

    waveheader::Info info;
    waveheader::Result result = waveheader::read(
        reinterpret_cast<const unsigned char*>(reader->data()), reader->size(), &info);
    printMessage("[RIFF Header] %s %d %s", info.riffId, static_cast<int>(info.riffSize),
                 info.formType);
    switch (result) {
    case waveheader::OK:
        break;
    case waveheader::BAD_RIFF:
        HLOG_INFO("HWaveSource", 53, "loadFromFile:ヘッダ不正[RIFF]");
        reset();
        return RESULT_BAD_HEADER;
    case waveheader::BAD_FMT:
        HLOG_INFO("HWaveSource", 72, "loadFromFile:ヘッダ不正[fmt]");
        reset();
        return RESULT_BAD_HEADER;
    case waveheader::BAD_FMT_SIZE:
        HLOG_INFO("HWaveSource", 82, "loadFromFile:ヘッダ不正[fmtSize]");
        reset();
        return RESULT_BAD_HEADER;
    case waveheader::BAD_DATA:
    default:
        HLOG_INFO("HWaveSource", 104, "loadFromFile:ヘッダ不正[fmt]");
        reset();
        return RESULT_BAD_HEADER;
    }

    printMessage("[FMT Header] %s %d %d %d %d %d %d %d %s %d", info.fmtId,
                 static_cast<int>(info.fmtSize), info.formatTag, info.channels,
                 static_cast<int>(info.samplesPerSec), static_cast<int>(info.avgBytesPerSec),
                 info.blockAlign, info.bitsPerSample, info.dataId,
                 static_cast<int>(info.dataSizeField));

    // Every sound is played as PCM with the file's own sample layout.
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = info.channels;
    format.nSamplesPerSec = info.samplesPerSec;
    format.nAvgBytesPerSec = info.avgBytesPerSec;
    format.nBlockAlign = info.blockAlign;
    format.wBitsPerSample = info.bitsPerSample;
    if (info.dataSize < info.dataSizeField) {
        printMessage("loadFromFile:data %u bytes announced, %u present", info.dataSizeField,
                     info.dataSize);
    }
    dataSize = info.dataSize;
    data = reader->data() + info.dataOffset;
    return RESULT_LOADED;
}
