// The table as text: export to a TSV or CSV file, import from one, copy to the
// clipboard and paste from it (tab-separated, as spreadsheets paste). An
// import or paste checks everything first and then changes the table in one
// undo step, or changes nothing and lists the errors.
#include "app/data/RZEditData.h"
#include "app/data/RZEditHistory.h"
#include "app/data/RZMagic.h"
#include "app/data/RZTableExchange.h"
#include "app/data/RZTableFileNames.h"
#include "app/data/RZTableTsv.h"
#include "app/operations/RZOperations.h"
#include "app/operations/RZOperationsCommon.h"
#include "app/operations/RZTableTextErrors.h"
#include "support/HDebug.h"
#include "support/HFile.h"
#include "support/HFileReader.h"
#include "support/HFileReplacement.h"
#include "toolkit/HClipboard.h"
#include "toolkit/HComponent.h"
#include "toolkit/HFileChooser.h"

#include <windows.h>

#include <cctype>
#include <string>
#include <vector>

using namespace rzops;

namespace {

const char CAPTION[] = "TSVファイル";
// The literals' own terminator is the list's second zero byte.
const char FILTER[] =
    "TSVファイル (*.tsv)\0*.tsv\0CSVファイル (*.csv)\0*.csv\0すべてのファイル (*.*)\0*.*\0";
// An import shows both kinds of file at first: the user need not know which one
// a spreadsheet wrote.
const char IMPORT_FILTER[] = "TSV・CSVファイル (*.tsv;*.csv)\0*.tsv;*.csv\0"
                             "TSVファイル (*.tsv)\0*.tsv\0CSVファイル (*.csv)\0*.csv\0"
                             "すべてのファイル (*.*)\0*.*\0";
// The CSV filter's place in the export's list, counting from 1.
constexpr int CSV_FILTER = 2;
const char CSV_EXTENSION[] = ".csv";

// A folder's name that can name a file: not a drive ("C:") and not empty.
bool namesAFile(const std::string& folder) {
    return !folder.empty() && folder.back() != ':';
}

// The name an export offers: the data set's, that is of the folder holding the
// table's Data folder; for a table kept elsewhere, its own folder's; the
// table's usual name for one in no named folder (a drive's root) or one never
// saved.
std::string exportName(const HFile& table) {
    if (table.isEmpty()) {
        return TABLE_FILE_NAME;
    }
    const HFile folder(table.directory());
    const std::string holder = HFile(folder.directory()).name();
    if (lstrcmpiA(folder.name().c_str(), "Data") == 0 && namesAFile(holder)) {
        return holder;
    }
    return namesAFile(folder.name()) ? folder.name() : TABLE_FILE_NAME;
}

template <std::size_t N>
void prepareChooser(HFileChooser& chooser, HComponent* window, RZEditData* document,
                    const char* title, const char (&filter)[N]) {
    chooser.setOwner(handleOf(window));
    chooser.setTitle(title);
    chooser.setFilter(filter, static_cast<int>(N));
    chooser.setFilterIndex(1);
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

} // namespace

bool exportTableText(HComponent* window, const HFile& file, RZTableTsv::Separator separator) {
    RZEditData* document = documentOf(window);
    if (document == nullptr || !document->hasTable()) {
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
    if (document == nullptr || !document->hasTable()) {
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
    if (document != nullptr && document->hasTable()) {
        HFileChooser chooser;
        prepareChooser(chooser, window, document, "TSVファイルに書き出し", FILTER);
        // Without extension: the dialog adds the chosen type's.
        chooser.setFileName(exportName(document->tablePath()));
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
    if (document != nullptr && document->hasTable()) {
        HFileChooser chooser;
        prepareChooser(chooser, window, document, "TSVファイルから読み込み", IMPORT_FILTER);
        result = chooser.chooseOpenFile() && importTableText(window, chooser.getFile());
    }
    HLOG_END(SOURCE, 3290, "RZOP0031");
    return result;
}

bool RZOP0032(HComponent* window) {
    HLOG_START(SOURCE, 3300, "RZOP0032");
    bool result = false;
    RZEditData* document = documentOf(window);
    if (document != nullptr && document->hasTable()) {
        const std::string text =
            RZTableTsv::write(RZTableExchange::entriesOf(document), RZTableExchange::labels());
        result = HClipboard(handleOf(window)).putText(text);
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
    // The clipboard is closed again before the text is applied.
    if (document != nullptr && document->hasTable() &&
        HClipboard(handleOf(window)).takeText(text)) {
        result =
            applyText(window, document, text.data(), text.size(), RZTableTsv::Header::IF_PRESENT);
    }
    HLOG_END(SOURCE, 3490, "RZOP0033");
    return result;
}
