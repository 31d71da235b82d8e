#include "filter/scheme_check.h"

#include <algorithm>
#include <cmath>

#include <QStringList>

#include "data/app_state.h"
#include "data/lottor_data.h"
#include "data/value_set.h"
#include "engine/stat.h"
#include "filter/filter_run.h"
#include "platform/name_tables.h"

namespace kelton {

using namespace Qt::StringLiterals;

QString ConditionTip()
{
    return u"点击查看具体走势"_s;
}

QString OtherFilterTip()
{
    return u"点击查看具体情况"_s;
}

namespace {

PanelRow Header(int16_t index, const QString& text, RowAdvance advance = RowAdvance::TextHeight)
{
    return {true, index, text, QString(), QString(), advance};
}

PanelRow Item(int16_t index, const QString& text, const QString& tag, const QString& tip)
{
    return {false, index, text, tag, tip, RowAdvance::TextHeight};
}

QString ViewTag(int16_t v, const QString& name)
{
    return QString::number(v) + u'|' + name;
}

} // namespace

PanelContent VerifyScheme(CLottorData& game, int32_t issue, int32_t itemCount, const QString& issueText)
{
    PanelContent out;
    if (issue < 0 || issue >= itemCount - 1 || issue >= game.NumCount()) {
        // Refused: the first section row alone, where every check puts it.
        out.Rows.push_back(Header(
            0, u"还没有<"_s + issueText + u">的开奖号码,您必须先输入开奖数据才能验证!"_s, RowAdvance::None));
        out.Title = u"过滤方案验证(不包含容错)结果："_s;
        out.HeadersUsed = 1;
        return out;
    }
    const int16_t bcMain = game.HeadData.BcMain;
    int16_t e = 0;
    for (int16_t v = 0; v < AppState::InferCount; ++v) {
        const size_t header = out.Rows.size();
        out.Rows.push_back(Header(v, QString(), RowAdvance::Placed));
        int32_t n = 0;
        if (const CStat* stat = game.StatView(v)) {
            for (int16_t k = 0; k <= bcMain + 42; ++k) {
                if (stat->ShrinkSel(k) != 1)
                    continue;
                const int16_t value =
                    k <= 42 ? stat->Filter(issue, k) : stat->Num(issue, static_cast<int16_t>(k - 42), 0);
                if (stat->ShrinkVal(k).Contains(value))
                    continue;
                const QString name = k <= 42 ? IndicatorName(k) : PlaceName(k - 42) + u"位号码"_s;
                out.Rows.push_back(Item(e++, name, ViewTag(v, name), ConditionTip()));
                ++n;
            }
        }
        out.Rows[header].Text =
            ViewName(v) + u"：有"_s + QString::number(n) + u"项错误"_s;
        out.Total += n;
    }

    // The other filters get the raw numbers of the draw.
    std::vector<int16_t> numbers(static_cast<size_t>(bcMain) + 1, 0);
    for (int16_t p = 1; p <= bcMain; ++p)
        numbers[static_cast<size_t>(p)] = game.Num(p, issue);
    struct Other {
        const char16_t* Caption;
        const char16_t* Tag;
    };
    const Other others[3] = {
        {u"匹配过滤：有", u"Match"}, {u"历史开奖过滤：有", u"History"}, {u"相生相克过滤：有", u"Gather"}};
    for (int16_t f = 0; f < 3; ++f) {
        QString failed;
        const int16_t m = f == 0   ? game.VailOtherMatch(numbers, failed)
                          : f == 1 ? game.VailOtherHistory(numbers, issue, failed)
                                   : game.VailOtherGather(numbers, issue, failed);
        out.Rows.push_back(Header(static_cast<int16_t>(AppState::InferCount + f),
                                  QString::fromUtf16(others[f].Caption) + QString::number(m) + u"项错误"_s));
        if (m > 0) {
            out.Rows.push_back(Item(e++, failed, QString::fromUtf16(others[f].Tag), OtherFilterTip()));
            out.Total += m;
        }
    }
    out.Title = u"验证结果：有"_s + QString::number(out.Total) + u"项错误"_s;
    out.HeadersUsed = AppState::InferCount + 3;
    out.ItemsUsed = e;
    return out;
}

PanelContent SettingsCheckPanel(const SettingsFindings& findings)
{
    PanelContent out;
    int16_t e = 0;
    for (int16_t v = 0; v < AppState::InferCount; ++v) {
        static const std::vector<SettingsFinding> kNone;
        const std::vector<SettingsFinding>& names = static_cast<size_t>(v) < findings.PerView.size()
                                                        ? findings.PerView[static_cast<size_t>(v)]
                                                        : kNone;
        const QString view = ViewName(v);
        out.Rows.push_back(Header(v, names.empty() ? view + u"过滤设置：\r\n全部正确"_s
                                                   : view + u"过滤设置：有"_s +
                                                         QString::number(names.size()) + u"项错误"_s));
        // A position's row names it by the game's area, its link by the
        // analysis view of that position.
        for (const SettingsFinding& name : names)
            out.Rows.push_back(Item(e++, name.Text, name.View.isEmpty() ? QString() : ViewTag(v, name.View),
                                    ConditionTip()));
    }
    out.HeadersUsed = AppState::InferCount;
    // The tolerances over all views and of the other filters are no
    // condition of a view: a section of their own each, without a link.
    const auto tolerance = [&](bool empty, const QString& name) {
        if (!empty)
            return;
        out.Rows.push_back(Header(out.HeadersUsed++, name + u"设置：有1项错误"_s));
        out.Rows.push_back(Item(e++, name, QString(), QString()));
    };
    tolerance(findings.TotalToleranceEmpty, u"总容错"_s);
    tolerance(findings.OtherToleranceEmpty, u"其它过滤容错"_s);
    out.Total = e;
    out.Title = u"过滤检查结果：有"_s + QString::number(e) + u"项错误"_s;
    out.ItemsUsed = e;
    out.Show = e > 0;
    return out;
}

SidePanelLayout LayOutSidePanel(int32_t width, int32_t height, int32_t headerHeight, int32_t contentHeight,
                                int32_t scrollWidth, int32_t splitterWidth)
{
    SidePanelLayout out;
    out.ScrollLeft = width - scrollWidth - 40;
    out.ScrollHeight = std::max(height - headerHeight, 0);
    out.ContentTop = headerHeight;
    if (height - headerHeight < contentHeight) {
        const int32_t over = contentHeight - (height - headerHeight);
        if (over > 10000) {
            out.ScrollMax = over / 100;
            out.ScrollUnit = 100;
        } else {
            out.ScrollMax = over;
            out.ScrollUnit = 1;
        }
        out.LargeChange = out.ScrollMax / 10;
        out.ScrollVisible = true;
    }
    out.ContentWidth = std::max(width - scrollWidth, 0);
    out.SplitterLeft = width > splitterWidth ? width - splitterWidth : 0;
    return out;
}

int32_t DraggedPanelWidth(int32_t width, int32_t x, int32_t mainWidth, bool leftButtonOnly)
{
    if (!leftButtonOnly)
        return width;
    const int32_t wanted = width + x;
    return wanted > 300 && wanted < mainWidth - 300 ? wanted : width;
}

RowLink ParseRowTag(const QString& tag, int16_t viewCount)
{
    RowLink out;
    const QStringList parts = tag.split(u'|');
    if (parts.size() == 2) {
        bool numeric = false;
        const int v = parts[0].toInt(&numeric);
        if (numeric && v >= 0 && v < viewCount) {
            out.Target = RowLink::View;
            out.ViewIndex = static_cast<int16_t>(v);
            out.ViewName = parts[1];
        }
        return out;
    }
    if (tag == u"Match"_s)
        out.Target = RowLink::Match;
    else if (tag == u"History"_s)
        out.Target = RowLink::History;
    else if (tag == u"Gather"_s)
        out.Target = RowLink::Gather;
    return out;
}

} // namespace kelton
