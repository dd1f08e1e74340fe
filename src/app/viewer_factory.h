#pragma once

#include <memory>

class QWidget;

namespace quorvane {

class CAppData;

// How a viewer ended: back to the menu, or straight on to the other database's
// viewer (the viewers' cancel result, "KALVERAを表示" / "HORIXを表示").
enum class ViewerResult { Ok, SwitchToOther };

// The main menu opens the viewers through this, so that they can be replaced
// in tests and the menu does not depend on them.
class ViewerFactory {
public:
    virtual ~ViewerFactory() = default;
    virtual ViewerResult RunHourlyViewer(QWidget* parent) = 0;
    virtual ViewerResult RunMonthlyViewer(QWidget* parent) = 0;
    virtual ViewerResult RunColorMap(QWidget* parent) = 0;
    // "発電量試算" on the current site (asking the map when there is none).
    virtual void RunYield(QWidget* parent) = 0;
    // "全国マップ"; its viewer buttons open the viewers on the site chosen there.
    virtual void RunNationalMap(QWidget* parent) = 0;
};

// The program's viewers, run modally through the platform.
std::unique_ptr<ViewerFactory> CreateViewerFactory(CAppData& appData);

} // namespace quorvane
