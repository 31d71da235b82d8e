#include "core/bet_list.h"

#include <algorithm>

#include <QtGlobal>

namespace kelton {

void BetList::Reset(int16_t bm)
{
    m_stride = static_cast<int16_t>(std::max<int>(bm, 0) + 1);
    m_count = 0;
    m_step = 0;
    m_lastStep = 0;
    m_type = BetType::Direct;
    m_marked = 0;
    m_digits.clear();
    m_level.clear();
    m_stepCount.clear();
}

bool BetList::AssignBets(std::vector<int16_t> digits, BetType type)
{
    const size_t stride = static_cast<size_t>(m_stride);
    if (digits.size() % stride != 0 || digits.size() / stride > static_cast<size_t>(INT32_MAX))
        return false;
    const int32_t count = static_cast<int32_t>(digits.size() / stride);
    for (size_t at = 0; at < digits.size(); at += stride)
        digits[at] = 0;
    m_digits = std::move(digits);
    m_level.assign(static_cast<size_t>(count), 0);
    m_count = count;
    m_step = count > 0 ? 1 : 0;
    m_lastStep = 0;
    m_type = type;
    m_marked = 0;
    m_stepCount.clear();
    return true;
}

int32_t BetList::BetStepCount(int16_t k) const
{
    if (k < 1 || k > m_lastStep || static_cast<size_t>(k) >= m_stepCount.size())
        return 0;
    return m_stepCount[static_cast<size_t>(k)];
}

int32_t BetList::Recoverable() const
{
    int32_t sum = 0;
    const size_t end = std::min(m_stepCount.size(), static_cast<size_t>(std::max<int>(m_step, 0)));
    for (size_t k = 1; k < end; ++k)
        sum += m_stepCount[k];
    return sum;
}

std::vector<int32_t> BetList::LivePositions() const
{
    std::vector<int32_t> rows;
    rows.reserve(static_cast<size_t>(m_count));
    for (int32_t i = 0; i < m_count; ++i)
        if (IsLive(i))
            rows.push_back(i);
    return rows;
}

QString BetList::CountText() const
{
    const int32_t recoverable = Recoverable();
    return QStringLiteral("投注数：") + QString::number(m_count - recoverable) + QStringLiteral(" 可恢复：") +
           QString::number(recoverable);
}

namespace {

// Positions from..to of a bet (either direction), padded to width, one blank
// between.
QString JoinPadded(std::span<const int16_t> d, int from, int to, int16_t width)
{
    QString text;
    const int step = from <= to ? 1 : -1;
    for (int p = from;; p += step) {
        if (p >= 1 && p < static_cast<int>(d.size())) {
            if (!text.isEmpty())
                text += QLatin1Char(' ');
            text += QStringLiteral("%1").arg(d[static_cast<size_t>(p)], width, 10, QLatin1Char('0'));
        }
        if (p == to)
            break;
    }
    return text;
}

} // namespace

QString BetList::BetText(int32_t i, int16_t bcMain, int16_t width) const
{
    if (bcMain < 1)
        return QString();
    return JoinPadded(Digits(i), bcMain, 1, width);
}

QString BetList::SecondaryText(int32_t i, int16_t bcMain, int16_t width) const
{
    if (bcMain + 1 > BM())
        return QString();
    return JoinPadded(Digits(i), bcMain + 1, BM(), width);
}

QString BetList::CopyText(int16_t bcMain) const
{
    const int16_t main = std::clamp<int16_t>(bcMain, 0, BM());
    QString text;
    bool first = true;
    for (int32_t i = 0; i < m_count; ++i) {
        if (!IsLive(i))
            continue;
        if (!first)
            text += QStringLiteral("\r\n");
        first = false;
        QString line = main >= 1 ? JoinPadded(Digits(i), main, 1, 0) : QString();
        if (main < BM()) {
            if (!line.isEmpty())
                line += QLatin1Char(' ');
            line += JoinPadded(Digits(i), main + 1, BM(), 0);
        }
        text += line;
    }
    return text;
}

BetList::StepResult BetList::BeginStep()
{
    if (m_count < 1)
        return StepResult::NoBets;
    if (m_step > kMaxStep)
        return StepResult::StepLimit;
    if (m_step < 1) {
        // A list filled bet by bet before it had a step.
        m_step = 1;
        m_lastStep = 0;
        m_stepCount.clear();
    }
    if (m_lastStep >= m_step) {
        // A new step replaces the undone ones.
        for (int16_t& level : m_level)
            if (level >= m_step)
                level = 0;
        m_lastStep = static_cast<int16_t>(m_step - 1);
    }
    m_stepCount.resize(static_cast<size_t>(m_lastStep) + 1);
    m_marked = 0;
    return StepResult::Ok;
}

void BetList::MarkRemoved(int32_t i)
{
    Q_ASSERT(i >= 0 && i < m_count);
    int16_t& level = m_level[static_cast<size_t>(i)];
    if (level != 0 && level < m_step)
        return;
    level = m_step;
    ++m_marked;
}

int32_t BetList::CloseStep()
{
    const int32_t marked = m_marked;
    m_marked = 0;
    if (marked > 0) {
        m_lastStep = m_step;
        m_step = static_cast<int16_t>(m_step + 1);
        m_stepCount.resize(static_cast<size_t>(m_lastStep) + 1);
        m_stepCount[static_cast<size_t>(m_lastStep)] = marked;
    }
    return marked;
}

void BetList::Undo()
{
    if (m_count < 1)
        return;
    m_step = m_step > 2 ? static_cast<int16_t>(m_step - 1) : int16_t{1};
}

void BetList::Redo()
{
    if (m_count < 1)
        return;
    m_step = m_lastStep < m_step ? static_cast<int16_t>(m_lastStep + 1) : static_cast<int16_t>(m_step + 1);
}

void BetList::Compact()
{
    const size_t stride = static_cast<size_t>(m_stride);
    int32_t kept = 0;
    for (int32_t j = 0; j < m_count; ++j) {
        if (!IsLive(j))
            continue;
        if (kept != j)
            std::copy_n(m_digits.begin() + static_cast<ptrdiff_t>(j * stride), stride,
                        m_digits.begin() + static_cast<ptrdiff_t>(kept * stride));
        m_level[static_cast<size_t>(kept)] = 0;
        ++kept;
    }
    m_count = kept;
    m_digits.resize(static_cast<size_t>(kept) * stride);
    m_level.resize(static_cast<size_t>(kept));
    m_step = kept > 0 ? 1 : 0;
    m_lastStep = 0;
    m_marked = 0;
    m_stepCount.clear();
}

void BetList::AddBet(std::span<const int16_t> digits)
{
    if (m_count == 0)
        m_type = BetType::Direct;
    const size_t stride = static_cast<size_t>(m_stride);
    m_digits.resize(m_digits.size() + stride, 0);
    m_level.push_back(0);
    ++m_count;
    SetDigits(m_count - 1, digits);
    if (m_step < 1) {
        m_step = 1;
        m_lastStep = 0;
        m_stepCount.clear();
    }
}

void BetList::SetDigits(int32_t i, std::span<const int16_t> digits)
{
    int16_t* row = m_digits.data() + static_cast<size_t>(i) * static_cast<size_t>(m_stride);
    const size_t n = std::min(digits.size(), static_cast<size_t>(m_stride));
    for (size_t p = 1; p < n; ++p)
        row[p] = digits[p];
}

size_t BetList::MemoryBytes() const
{
    return sizeof(*this) + m_digits.capacity() * sizeof(int16_t) + m_level.capacity() * sizeof(int16_t) +
           m_stepCount.capacity() * sizeof(int32_t);
}

} // namespace kelton
