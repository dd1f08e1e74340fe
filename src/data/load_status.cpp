#include "data/load_status.h"

namespace quorvane {

namespace {

constexpr std::string_view kHourlyLoadFailed = "HORIX-"
                                               "11データの読み込みに失敗しました。\nメニュー画面に"
                                               "戻り、データフォルダの設定を行ってください。";
constexpr std::string_view kSunriseLoadFailed = "日の出・日の入りデータの読み込みに失敗しました。";
constexpr std::string_view kMonthlyOlderEdition =
    "旧形式のKALVERA-11データが設定されています。\n"
    "新形式のKALVERA-11データをダウンロードし、\n"
    "メニュー画面よりデータフォルダの設定を行ってください。";
constexpr std::string_view kMonthlyLoadFailed =
    "KALVERA-11データの読み込みに失敗しました。\n"
    "メニュー画面に戻り、データフォルダの設定を行ってください。";
constexpr std::string_view kUnexpectedFormat = "想定外のデータ形式です。\n"
                                               "データファイルを確認してください。";
constexpr std::string_view kAreaOutlineFailed = "県ポリゴンデータの読み込みに失敗しました。";

std::string SearchTableMessage(LoadStatus status, std::string_view fileName) {
    std::string message = "「";
    message.append(fileName);
    std::string_view reason;
    switch (status) {
    case LoadStatus::UnconvertibleText:
        return message + "」に文字コードを変換できない文字があります。";
    case LoadStatus::Truncated:
        reason = "ファイルの終わりを越えて読み込もうとしました。";
        break;
    case LoadStatus::Damaged:
    case LoadStatus::TooLarge:
    case LoadStatus::UnexpectedFormat:
        reason = "ファイルの形式が正しくありません。";
        break;
    default:
        return {}; // a missing table leaves its list empty
    }
    message += "」の読み込み中にエラーが発生しました。";
    message.append(reason);
    return message;
}

} // namespace

std::string LoadStatusMessage(DataFileKind kind, LoadStatus status, std::string_view fileName) {
    if (status == LoadStatus::Ok) {
        return {};
    }
    switch (kind) {
    case DataFileKind::HourlyData:
        return std::string(status == LoadStatus::SunTableMissing ? kSunriseLoadFailed
                                                                 : kHourlyLoadFailed);
    case DataFileKind::MonthlyData:
        switch (status) {
        case LoadStatus::OlderEdition:
            return std::string(kMonthlyOlderEdition);
        case LoadStatus::UnexpectedFormat:
            return std::string(kUnexpectedFormat);
        default:
            return std::string(kMonthlyLoadFailed);
        }
    case DataFileKind::AreaOutline:
        // An area without an outline file is simply not clickable.
        return status == LoadStatus::CannotRead ? std::string() : std::string(kAreaOutlineFailed);
    case DataFileKind::SearchTable:
        return SearchTableMessage(status, fileName);
    case DataFileKind::Catalogue:
        break; // the tables' absence shows as empty lists and maps
    }
    return {};
}

LoadStatus ReportLoadStatus(MessageReporter& reporter, DataFileKind kind, LoadStatus status,
                            std::string_view fileName) {
    const std::string message = LoadStatusMessage(kind, status, fileName);
    if (!message.empty()) {
        reporter.Report(message);
    }
    return status;
}

} // namespace quorvane
