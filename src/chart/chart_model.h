#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>

#include <QString>

#include "chart/chart_data.h"
#include "chart/chart_layout.h"
#include "chart/chart_picture.h"

namespace kelton {

// The option column of the chart control, read at every drawing.
struct ChartOptions {
    int16_t Kind = 0;  // 0 trend (lines), 1 value counts (bars)
    bool All = true;   // fit the whole chart into view
    bool LineX = true; // vertical grid lines
    bool LineY = true; // horizontal grid lines
    bool Mean = false; // statistic lines of series 1, trend chart only
    bool Dif = false;
    bool Back = false;
};

// What an accepted StatData asks of the option column.
struct ChartAccept {
    bool Accepted = false;
    // The normalised chart kind, handed back to the host's variable.
    int16_t ShowKind = -1;
    // The option button to select; unset keeps the user's choice.
    std::optional<int16_t> Select;
    // The new state of the fit box; unset leaves it.
    std::optional<bool> All;
};

// One drawing: the title box text, the layout and the picture.
struct ChartDrawing {
    // False before any data was accepted: the control's picture stays.
    bool Drawn = false;
    QString Title;
    ChartLayout Layout;
    ChartPicture Picture;
};

// Everything the chart control computes: the accepted data and its
// settings, the prepared data of both chart kinds with their extremes, the
// layout and scroll numbers, and the picture handed to the renderer.
//
// Each accepted StatData empties both caches; the first drawing of a kind
// fills that kind's cache and extremes, and every later drawing of it
// (after a click in the option column) reuses them.
class ChartModel {
public:
    static constexpr int16_t kDefaultColor = 255; // red
    static constexpr int16_t kDefaultLabelLen = 5;

    // Takes a copy of sData (rows 0..P, columns 0..S) and the settings.
    // Arguments out of range are normalised: a data kind other than 0 and 1
    // keeps the current kind; a chart kind above 3 or below -1 becomes 0,
    // and 2 or 3 (no such chart) are taken as -1; sAll 1 ticks the fit box,
    // -1 leaves it, anything else unticks it; a label length below 1 is 5.
    // A table without points or series is ignored as a whole. The table is
    // taken over: a caller done with it moves it in and spares its copy.
    ChartAccept StatData(ChartData sData, int16_t sDataKind = -1, int16_t sShowKind = -1,
                         const QString& sMsg = QString(), int16_t sAll = -1, int32_t sColor = kDefaultColor,
                         int16_t sFirstDataLen = kDefaultLabelLen);

    // The drawing of the chart kind the options select.
    ChartDrawing Draw(const ChartOptions& options, const ChartGeometry& geometry);
    ChartDrawing DrawTrend(const ChartOptions& options, const ChartGeometry& geometry);
    ChartDrawing DrawCount(const ChartOptions& options, const ChartGeometry& geometry);

    // The layout when the host resizes the control.
    ChartLayout Resize(const ChartGeometry& geometry, bool fit) const;

    const ChartData& Data() const { return m_data; }
    int PointCount() const { return m_pointCount; }
    int SeriesCount() const { return m_seriesCount; }
    int16_t DataKind() const { return m_dataKind; }
    const QString& ChartTitle() const { return m_title; }
    int32_t ChartColor() const { return m_color; }
    int16_t LabelLen() const { return m_labelLen; }

    // The prepared data; never null, empty until the kind's first drawing.
    const ChartCache& TrendCache() const { return *m_trendCache; }
    const ChartCache& CountCache() const { return *m_countCache; }
    // Largest and smallest value of the trend chart (0, 1) and of the bar
    // chart (2, 3), kept with the caches.
    const std::array<int16_t, 4>& ValueRange() const { return m_valueRange; }
    // How often each cache has been filled.
    int TrendFills() const { return m_trendFills; }
    int CountFills() const { return m_countFills; }

    // The titles the two charts show for the current data.
    QString TrendTitle() const;
    QString CountTitle() const;

private:
    bool FillTrendCache();
    bool FillCountCache();
    bool FillCounts(ChartCache& cache);
    bool FillValues(ChartCache& cache);
    QString CutLabel(const QVariant& cell) const;
    // A drawing with the settings both charts share.
    ChartDrawing StartDrawing(ChartKind kind, std::shared_ptr<const ChartCache> data, QString title,
                              const ChartOptions& options, const ChartGeometry& geometry, int count) const;
    ChartDrawing EmptyDrawing(const ChartOptions& options, const ChartGeometry& geometry, QString title) const;

    ChartData m_data;
    int m_pointCount = 0;
    int m_seriesCount = 0;
    int16_t m_dataKind = 0;
    QString m_title;
    int32_t m_color = 0;
    int16_t m_labelLen = 0;
    std::shared_ptr<const ChartCache> m_trendCache = std::make_shared<ChartCache>();
    std::shared_ptr<const ChartCache> m_countCache = std::make_shared<ChartCache>();
    std::array<int16_t, 4> m_valueRange{};
    int m_trendFills = 0;
    int m_countFills = 0;
};

} // namespace kelton
