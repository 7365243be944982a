#include "app/operations/RZTableTextErrors.h"

namespace {

// Every reason, with the words around the other line it names, if any.
struct ReasonText {
    RZTableTsv::Reason reason;
    const char* text;
    const char* afterLine;
};

const ReasonText REASONS[] = {
    {RZTableTsv::Reason::NOT_WHOLE, "整数ではありません", nullptr},
    {RZTableTsv::Reason::OUT_OF_RANGE, "32ビットの範囲を超えています", nullptr},
    {RZTableTsv::Reason::UNKNOWN_ENTRY, "この表にない呪文です", nullptr},
    {RZTableTsv::Reason::REPEATED_ROW, "同じ呪文の同じレベルが", "行目にもあります"},
    {RZTableTsv::Reason::DISAGREES, "同じ呪文の", "行目と違います"},
    {RZTableTsv::Reason::UNKNOWN_TARGET, "対象の選択肢にも整数にも当たりません", nullptr},
    {RZTableTsv::Reason::MISSING_CHARACTER, "Shift-JISにない文字です", nullptr},
    {RZTableTsv::Reason::BROKEN_UTF8, "UTF-8として正しくない文字があります", nullptr},
    {RZTableTsv::Reason::BROKEN_UTF16, "UTF-16として正しくない文字があります", nullptr},
    {RZTableTsv::Reason::BROKEN_SHIFT_JIS, "Shift-JISとして正しくない文字があります", nullptr},
    {RZTableTsv::Reason::LINE_END_IN_TEXT, "改行やNUL文字は使えません", nullptr},
    {RZTableTsv::Reason::UNCLOSED_QUOTE, "引用符が閉じていません", nullptr},
    // A file without these columns is most often one of another form: the
    // words say which forms are read.
    {RZTableTsv::Reason::NO_NUMBER_COLUMN,
     "「番号」の列がありません"
     "（Shift-JIS、UTF-8、UTF-16のタブ区切りかコンマ区切りのファイルを読めます）",
     nullptr},
    {RZTableTsv::Reason::NO_LEVEL_COLUMN,
     "「Lv」の列がありません"
     "（Shift-JIS、UTF-8、UTF-16のタブ区切りかコンマ区切りのファイルを読めます）",
     nullptr},
    {RZTableTsv::Reason::REPEATED_COLUMN, "列名が重複しています", nullptr},
    {RZTableTsv::Reason::LINE_TOO_LONG, "長すぎます（MagicTableの1行は1023バイトまでです）",
     nullptr},
};
static_assert(sizeof(REASONS) / sizeof(REASONS[0]) ==
                  static_cast<std::size_t>(RZTableTsv::Reason::REASON_COUNT),
              "words for every reason");

std::string reasonText(const RZTableTsv::Error& error) {
    for (const ReasonText& row : REASONS) {
        if (row.reason != error.reason) {
            continue;
        }
        if (row.afterLine == nullptr) {
            return row.text;
        }
        return row.text + std::to_string(error.otherLine) + row.afterLine;
    }
    return std::string();
}

} // namespace

std::string RZTableTextErrors::errorText(const RZTableTsv::Error& error) {
    return std::to_string(error.line) + "行目 " + std::to_string(error.column) +
           "列: " + reasonText(error);
}
