// The table as text: export to a TSV or CSV file, import from one, copy to the
// clipboard and paste from it (tab-separated, as spreadsheets paste). An
// import or paste checks everything first and then changes the table in one
// undo step, or changes nothing and lists the errors.
#include "app/data/RZEditData.h"
#include "app/data/RZEditHistory.h"
#include "app/data/RZMagic.h"
#include "app/data/RZTableExchange.h"
#include "app/data/RZTableTsv.h"
#include "app/operations/RZOperations.h"
#include "app/operations/RZOperationsCommon.h"
#include "app/operations/RZTableTextErrors.h"
#include "support/HDebug.h"
#include "support/HFile.h"
#include "support/HFileReader.h"
#include "support/HFileReplacement.h"
#include "toolkit/HComponent.h"
#include "toolkit/HFileChooser.h"

#include <windows.h>

#include <cctype>
#include <cstring>
#include <string>
#include <vector>

using namespace rzops;

namespace {

const char CAPTION[] = "TSVファイル";
// The literal's own terminator is the list's second zero byte.
const char FILTER[] =
    "TSVファイル (*.tsv)\0*.tsv\0CSVファイル (*.csv)\0*.csv\0すべてのファイル (*.*)\0*.*\0";
// The filters' places in the list, counting from 1.
constexpr int TSV_FILTER = 1;
constexpr int CSV_FILTER = 2;
const char CSV_EXTENSION[] = ".csv";

bool hasTable(RZEditData* document) {
    return document != nullptr && !document->testFlags(0) && document->count() > 0;
}

void prepareChooser(HFileChooser& chooser, HComponent* window, RZEditData* document,
                    const char* title) {
    chooser.setOwner(handleOf(window));
    chooser.setTitle(title);
    chooser.setFilter(FILTER, sizeof(FILTER));
    chooser.setFilterIndex(TSV_FILTER);
    chooser.setDefaultExtension("tsv");
    const std::string folder = document->tablePath().directory();
    chooser.setInitialDirectory(folder.empty() ? "." : folder);
}

bool endsWithCsvExtension(const std::string& name) {
    const std::size_t size = sizeof(CSV_EXTENSION) - 1;
    if (name.size() < size) {
        return false;
    }
    // A dot is never part of a two-byte character, so the bytes after it are
    // the extension's own.
    for (std::size_t i = 0; i < size; ++i) {
        const char c = name[name.size() - size + i];
        if (std::tolower(static_cast<unsigned char>(c)) != CSV_EXTENSION[i]) {
            return false;
        }
    }
    return true;
}

// The separator of an export: commas under the CSV filter or for a name ending
// in .csv (any case), tabs otherwise. (A name typed without an extension gets
// the chosen filter's from the dialog.)
RZTableTsv::Separator exportSeparator(const HFileChooser& chooser) {
    return chooser.getFilterIndex() == CSV_FILTER || endsWithCsvExtension(chooser.getFile().name())
               ? RZTableTsv::Separator::COMMA
               : RZTableTsv::Separator::TAB;
}

void showErrors(HComponent* window, const RZTableTsv::Result& result) {
    std::string text = "次の誤りがあるため、表は変更していません。\r\n";
    for (const RZTableTsv::Error& error : result.errors) {
        text += "\r\n" + RZTableTextErrors::errorText(error);
    }
    if (result.errorCount > result.errors.size()) {
        text += "\r\n\r\nほかに " + std::to_string(result.errorCount - result.errors.size()) +
                " 件の誤りがあります。";
    }
    ask(window, text, CAPTION, MB_OK | MB_ICONWARNING);
}

// Reads the text against the table and puts the values in, as one undo step
// whose undo selects the first changed row.
bool applyText(HComponent* window, RZEditData* document, const char* text, std::size_t length,
               RZTableTsv::Header header) {
    const std::vector<RZTableTsv::Entry> entries = RZTableExchange::entriesOf(document);
    RZTableTsv::Result result =
        RZTableTsv::read(text, length, entries, RZTableExchange::labels(), header);
    if (!result.ok()) {
        showErrors(window, result);
        return false;
    }
    std::vector<std::uint32_t> changed;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (result.values[i] != entries[i]) {
            changed.push_back(static_cast<std::uint32_t>(i));
        }
    }
    if (changed.empty()) {
        return true;
    }
    document->history().record(*document, changed, changed.front(), [&] {
        for (std::uint32_t i : changed) {
            RZTableExchange::store(result.values[i], document->entryAt(i));
        }
        return true;
    });
    showStep(window, document);
    return true;
}

// Memory the clipboard takes over, holding the bytes.
HGLOBAL globalCopy(const void* bytes, std::size_t size) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    void* target = memory != nullptr ? GlobalLock(memory) : nullptr;
    if (target == nullptr) {
        if (memory != nullptr) {
            GlobalFree(memory);
        }
        return nullptr;
    }
    std::memcpy(target, bytes, size);
    GlobalUnlock(memory);
    return memory;
}

bool putOnClipboard(HWND owner, const std::string& text) {
    const int wideLength =
        MultiByteToWideChar(932, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
    MultiByteToWideChar(932, 0, text.data(), static_cast<int>(text.size()), &wide[0], wideLength);
    if (!OpenClipboard(owner)) {
        return false;
    }
    bool ok = EmptyClipboard() != 0;
    // Both with their terminating NUL.
    HGLOBAL ansi = ok ? globalCopy(text.c_str(), text.size() + 1) : nullptr;
    HGLOBAL unicode = ok ? globalCopy(wide.c_str(), (wide.size() + 1) * sizeof(wchar_t)) : nullptr;
    ok = ansi != nullptr && unicode != nullptr;
    if (ok) {
        ok = SetClipboardData(CF_TEXT, ansi) != nullptr;
        if (!ok) {
            GlobalFree(ansi);
        }
        if (SetClipboardData(CF_UNICODETEXT, unicode) == nullptr) {
            GlobalFree(unicode);
            ok = false;
        }
    } else {
        for (HGLOBAL memory : {ansi, unicode}) {
            if (memory != nullptr) {
                GlobalFree(memory);
            }
        }
    }
    CloseClipboard();
    return ok;
}

// The clipboard's text as the reader takes it: Unicode text as UTF-16LE after
// its mark, else the Shift-JIS text. False when it holds no text.
bool takeFromClipboard(HWND owner, std::string& bytes) {
    if (!OpenClipboard(owner)) {
        return false;
    }
    bool found = false;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        const wchar_t* wide = static_cast<const wchar_t*>(GlobalLock(data));
        if (wide != nullptr) {
            std::size_t length = wcsnlen(wide, GlobalSize(data) / sizeof(wchar_t));
            if (length > 0 && wide[0] == 0xFEFF) {
                ++wide; // a mark of its own
                --length;
            }
            bytes.assign("\xFF\xFE", 2);
            bytes.append(reinterpret_cast<const char*>(wide), length * sizeof(wchar_t));
            GlobalUnlock(data);
            found = true;
        }
    } else if (HANDLE data = GetClipboardData(CF_TEXT)) {
        const char* text = static_cast<const char*>(GlobalLock(data));
        if (text != nullptr) {
            bytes.assign(text, strnlen(text, GlobalSize(data)));
            GlobalUnlock(data);
            found = true;
        }
    }
    CloseClipboard();
    return found;
}

} // namespace

bool exportTableText(HComponent* window, const HFile& file, RZTableTsv::Separator separator) {
    RZEditData* document = documentOf(window);
    if (!hasTable(document)) {
        return false;
    }
    const std::string text = RZTableTsv::write(RZTableExchange::entriesOf(document),
                                               RZTableExchange::labels(), separator);
    // Written beside the target and moved over it only when complete: a failed
    // export leaves an existing file as it was.
    HFileReplacement replacement(file);
    if (!replacement.write(text) || replacement.replace() != HFileReplacement::Result::REPLACED) {
        HLOG_INFO(SOURCE, 3120, "RZOP0030:write error");
        ask(window, "TSVファイルを書き出せませんでした。", CAPTION, MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    return true;
}

bool importTableText(HComponent* window, const HFile& file) {
    RZEditData* document = documentOf(window);
    if (!hasTable(document)) {
        return false;
    }
    HFileReader reader(file);
    if (!reader.read()) {
        HLOG_INFO(SOURCE, 3220, "RZOP0031:read error");
        ask(window, "TSVファイルを読み込めませんでした。", CAPTION, MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    return applyText(window, document, reader.data(), reader.size(), RZTableTsv::Header::NEEDED);
}

bool RZOP0030(HComponent* window) {
    HLOG_START(SOURCE, 3100, "RZOP0030");
    bool result = false;
    RZEditData* document = documentOf(window);
    if (hasTable(document)) {
        HFileChooser chooser;
        prepareChooser(chooser, window, document, "TSVファイルに書き出し");
        result = chooser.chooseSaveFile() &&
                 exportTableText(window, chooser.getFile(), exportSeparator(chooser));
    }
    HLOG_END(SOURCE, 3190, "RZOP0030");
    return result;
}

bool RZOP0031(HComponent* window) {
    HLOG_START(SOURCE, 3200, "RZOP0031");
    bool result = false;
    RZEditData* document = documentOf(window);
    if (hasTable(document)) {
        HFileChooser chooser;
        prepareChooser(chooser, window, document, "TSVファイルから読み込み");
        result = chooser.chooseOpenFile() && importTableText(window, chooser.getFile());
    }
    HLOG_END(SOURCE, 3290, "RZOP0031");
    return result;
}

bool RZOP0032(HComponent* window) {
    HLOG_START(SOURCE, 3300, "RZOP0032");
    bool result = false;
    RZEditData* document = documentOf(window);
    if (hasTable(document)) {
        const std::string text =
            RZTableTsv::write(RZTableExchange::entriesOf(document), RZTableExchange::labels());
        result = putOnClipboard(handleOf(window), text);
        if (!result) {
            HLOG_INFO(SOURCE, 3320, "RZOP0032:clipboard error");
        }
        updateCommandStates(window, document);
    }
    HLOG_END(SOURCE, 3390, "RZOP0032");
    return result;
}

bool RZOP0033(HComponent* window) {
    HLOG_START(SOURCE, 3400, "RZOP0033");
    bool result = false;
    RZEditData* document = documentOf(window);
    std::string text;
    if (hasTable(document) && takeFromClipboard(handleOf(window), text)) {
        result =
            applyText(window, document, text.data(), text.size(), RZTableTsv::Header::IF_PRESENT);
    }
    HLOG_END(SOURCE, 3490, "RZOP0033");
    return result;
}
