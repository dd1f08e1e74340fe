#pragma once

#include "hourly/export.h"
#include "hourly/weather_file.h"

#include <optional>

#include <QDialog>

class QButtonGroup;
class QLabel;

namespace quorvane {

// "水平面データの保存": the layout of a horizontal export.
class CDlgFileSaveH : public QDialog {
    Q_OBJECT
public:
    CDlgFileSaveH(ExportKind kind, QWidget* parent = nullptr);

    ExportFormat Format() const;
    // A whole year may also be saved as a weather file for simulation tools.
    std::optional<WeatherFormat> Weather() const;
    QString Message() const;

private:
    QButtonGroup* format_;
    QLabel* message_;
};

// "斜面日射量データの保存": the layout and the step of a slope export.
class CDlgFileSaveS : public QDialog {
    Q_OBJECT
public:
    CDlgFileSaveS(ExportKind kind, HourlyAngleMode mode, int tiltDeg, int azimuthDeg,
                  QWidget* parent = nullptr);

    ExportFormat Format() const;
    int StepDeg() const; // 1 or 5; always 1 for one orientation
    QString Message() const;
    QString UnitPrompt() const;
    bool UnitChoosable() const;

private:
    HourlyAngleMode mode_;
    QButtonGroup* unit_;
    QButtonGroup* format_;
    QLabel* message_;
    QLabel* unitPrompt_;
};

} // namespace quorvane
