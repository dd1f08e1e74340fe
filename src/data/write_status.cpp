#include "data/write_status.h"

#include "data/program_inputs.h"

namespace quorvane {

std::string_view WriteStatusMessage(WriteStatus status) {
    switch (status) {
    case WriteStatus::Completed:
        return "データの出力が完了しました。";
    case WriteStatus::CannotCreate:
        return "出力ファイルが開けません。";
    case WriteStatus::WriteFailed:
        return "出力ファイルの書き込みに失敗しました。\n元のファイルは変更されていません。";
    case WriteStatus::TargetIsInput:
        return kTargetIsInputMessage;
    case WriteStatus::SiteMissing:
        return "地点一覧にこの地点がないため、斜面日射量データを出力できませんでした。";
    case WriteStatus::WeatherSiteMissing:
        return "地点一覧にこの地点がないため、気象データファイルを出力できませんでした。";
    case WriteStatus::NoPosition:
        return "地点の緯度経度が正しくないため、気象データファイルを出力できませんでした。";
    }
    return {};
}

std::string_view PrintStatusMessage(PrintStatus status) {
    switch (status) {
    case PrintStatus::Printed:
        return "印刷が終了しました。";
    case PrintStatus::NotStarted:
        return "印刷を開始できません。";
    case PrintStatus::Incomplete:
        return "印刷を完了できませんでした。";
    }
    return {};
}

} // namespace quorvane
