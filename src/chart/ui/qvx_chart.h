#pragma once

#include <array>
#include <cstdint>

#include <QWidget>

#include "chart/chart_model.h"

class QCheckBox;
class QPlainTextEdit;
class QRadioButton;
class QScrollBar;

namespace kelton {

class ChartView;

// The chart control the analysis, extreme-range and formula windows host.
// It shows one data set at a time, as a trend chart (a line per series over
// the points) or a value-count chart (bars), beside an option column where
// the user switches the chart kind, fitting or scrolling, the grid lines
// and the mean, standard-deviation and trend lines. A chart wider than the
// view scrolls with the scroll bar below it; the title box lies over the
// chart's lower edge.
//
// Hosts only call StatData; everything else happens inside the control.
class QvxChart : public QWidget {
    Q_OBJECT

public:
    static constexpr int kDesignWidth = 483;
    static constexpr int kDesignHeight = 318;

    explicit QvxChart(QWidget* parent = nullptr);

    // Hands the control a new data set (rows 0..P: series names, then one
    // row per point; columns 0..S: point labels, then one column per
    // series) and draws it once. Left-out arguments take their defaults:
    //   sDataKind      0 values per category, 1 a series over periods, other
    //                  values keep the current kind
    //   sShowKind      0 trend chart, 1 value-count chart, -1 the user's choice
    //   sMsg           the title
    //   sAll           1 fit the chart into view, -1 leave the box, other
    //                  values let it scroll
    //   sColor         the bar colour as red + 256 × green + 65536 × blue
    //   sFirstDataLen  point labels are cut to this many last characters
    // Returns the chart kind as normalised, for the host's variable. A table
    // without points or series changes nothing. The table is taken over, as
    // ChartModel::StatData takes it.
    int16_t StatData(ChartData sData, int16_t sDataKind = -1, int16_t sShowKind = -1,
                     const QString& sMsg = QString(), int16_t sAll = -1,
                     int32_t sColor = ChartModel::kDefaultColor,
                     int16_t sFirstDataLen = ChartModel::kDefaultLabelLen);

    const ChartModel& Model() const { return m_model; }
    ChartView* chMain() const { return m_chart; }
    QWidget* PicBar() const { return m_picBar; }
    QRadioButton* OptKind(int index) const { return m_optKind[static_cast<size_t>(index)]; }
    QCheckBox* chkAll() const { return m_chkAll; }
    QCheckBox* ChkLineX() const { return m_chkLineX; }
    QCheckBox* ChkLineY() const { return m_chkLineY; }
    QCheckBox* chkMean() const { return m_chkMean; }
    QCheckBox* chkDif() const { return m_chkDif; }
    QCheckBox* chkBack() const { return m_chkBack; }
    QScrollBar* Hsl() const { return m_hsl; }
    QPlainTextEdit* TxtMsg() const { return m_txtMsg; }

    // The option column as the next drawing reads it.
    ChartOptions Options() const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void RefreshChart();
    void OptionClick();
    void Hsl_Change(int value);
    ChartGeometry Geometry() const;
    // The option column at the right edge, as wide as its options need.
    void PlaceBar();
    // The title box as high as its wrapped title needs, from its design
    // height up to half the control (it scrolls past that).
    int TitleHeightFor(int width) const;
    void FitTitle();
    void ApplyLayout(const ChartLayout& layout);

    ChartModel m_model;
    bool m_isBusy = false;

    ChartView* m_chart = nullptr;
    QWidget* m_picBar = nullptr;
    std::array<QRadioButton*, 2> m_optKind{};
    QCheckBox* m_chkAll = nullptr;
    QCheckBox* m_chkLineX = nullptr;
    QCheckBox* m_chkLineY = nullptr;
    QCheckBox* m_chkMean = nullptr;
    QCheckBox* m_chkDif = nullptr;
    QCheckBox* m_chkBack = nullptr;
    QScrollBar* m_hsl = nullptr;
    QPlainTextEdit* m_txtMsg = nullptr;
};

} // namespace kelton
