// Parsing a formula text into the node table of a CWay.
//
// A node is created before the nodes of its operands and arguments, which
// follow depth first, left to right. An operator expression splits at its
// rightmost operator outside braces and parentheses, so a chain "a+b+c+d"
// is one left-leaning tree; the parser builds such a chain in one loop over
// the operators found in one scan, so that its length costs neither stack
// nor rescanning. Only parentheses and calls nest, up to kMaxNesting.

#include <QHash>

#include "data/text_helpers.h"
#include "formula/way.h"
#include "formula/way_internal.h"
#include "formula/way_number.h"
#include "formula/way_values.h"

namespace kelton {

namespace {

// The operators, in the order of their order numbers from 1.
constexpr char16_t kOperators[] = u"+-*/|&!#\\";

int16_t OperatorOrder(QChar c)
{
    for (int16_t i = 0; kOperators[i]; ++i) {
        if (kOperators[i] == c.unicode())
            return static_cast<int16_t>(i + 1);
    }
    return -1;
}

char16_t AsciiLower(char16_t c)
{
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

}  // namespace

class WayParser {
public:
    WayParser(CWay& way, const QString& text) : m_way(way), m_text(text) {}

    // Parses the whole text; false on an error, which ErrStart (0-based) and
    // ErrCount then locate.
    bool Run();

    qsizetype ErrStart = 0;
    qsizetype ErrCount = 0;
    WayParseFault Fault = WayParseFault::Syntax;

private:
    bool Error(qsizetype start, qsizetype count)
    {
        ErrStart = start;
        ErrCount = count;
        return false;
    }
    QChar At(qsizetype i) const { return m_text[i]; }
    QStringView Piece(qsizetype s, qsizetype e) const { return QStringView(m_text).sliced(s, e - s); }

    // The node of one statement; -1 when it is skipped or failed.
    int32_t Statement(qsizetype s, qsizetype e);
    void BuildMatch(qsizetype s, qsizetype e);
    void StripParens(qsizetype& s, qsizetype& e) const;
    bool Literal(qsizetype s, qsizetype e, QString& stored) const;
    int32_t NameNode(qsizetype s, qsizetype e) const;
    int32_t NewNode(int16_t order, int32_t paraCount);
    int32_t ParseExp(qsizetype s, qsizetype e, int depth);
    int32_t ParseChain(qsizetype s, qsizetype e, const std::vector<qsizetype>& ops, int depth);
    int32_t ParseCall(qsizetype s, qsizetype e, int depth);
    bool MakePara(int32_t node, int32_t slot, qsizetype s, qsizetype e, int depth);
    void SetPara(int32_t node, int32_t slot, int32_t ref, QString text = QString());

    CWay& m_way;
    const QString& m_text;
    bool m_failed = false;

    // The statement being parsed: where it starts, and for each "(" in it
    // the index of the ")" that closes it (-1 when none does).
    qsizetype m_stmt = 0;
    std::vector<qsizetype> m_match;

    // The first definition of each name, and which name lengths occur.
    QHash<QString, int32_t> m_names;
    std::vector<bool> m_nameLength;
};

bool WayParser::Run()
{
    const qsizetype n = m_text.size();
    m_nameLength.assign(static_cast<size_t>(n + 1), false);
    int32_t result = 0;
    for (qsizetype line = 0; line <= n;) {
        qsizetype end = m_text.indexOf(QLatin1String("\r\n"), line);
        if (end < 0)
            end = n;
        // The statement: up to the first "'", without blanks at both ends.
        qsizetype s = line;
        qsizetype e = m_text.indexOf(QLatin1Char('\''), line);
        if (e < 0 || e > end)
            e = end;
        while (s < e && At(s) == QLatin1Char(' '))
            ++s;
        while (e > s && At(e - 1) == QLatin1Char(' '))
            --e;
        if (s < e) {
            const int32_t node = Statement(s, e);
            if (m_failed)
                return false;
            if (node >= 0)
                result = node;
        }
        line = end + 2;
    }
    m_way.m_resultNode = result;
    return true;
}

int32_t WayParser::Statement(qsizetype s, qsizetype e)
{
    const qsizetype eq = m_text.indexOf(QLatin1Char('='), s);
    const bool isDef = eq >= 0 && eq < e;
    qsizetype x = s;
    if (isDef) {
        const qsizetype second = m_text.indexOf(QLatin1Char('='), eq + 1);
        if (second >= 0 && second < e) {
            m_failed = !Error(second, 1);
            return -1;
        }
        x = eq + 1;
        qsizetype k = x;
        while (k < e && At(k) == QLatin1Char(' '))
            ++k;
        if (k == e)
            return -1;  // a definition of nothing is skipped
    }
    BuildMatch(s, e);
    int32_t node = NameNode(x, e);
    QString stored;
    if (node < 0 && Literal(x, e, stored)) {
        node = NewNode(way::kIdentity, 1);
        SetPara(node, 0, -1, stored);
    } else if (node < 0) {
        node = ParseExp(x, e, 0);
        if (node < 0) {
            m_failed = true;
            return -1;
        }
    }
    if (isDef) {
        const QString name = Piece(s, eq).toString();
        m_way.m_defs.push_back(CWay::Def{node, name});
        if (!m_names.contains(name))
            m_names.insert(name, node);
        m_nameLength[static_cast<size_t>(name.size())] = true;
    }
    return node;
}

void WayParser::BuildMatch(qsizetype s, qsizetype e)
{
    m_stmt = s;
    m_match.assign(static_cast<size_t>(e - s), -1);
    std::vector<qsizetype> open;
    for (qsizetype i = s; i < e; ++i) {
        if (At(i) == QLatin1Char('(')) {
            open.push_back(i);
        } else if (At(i) == QLatin1Char(')') && !open.empty()) {
            m_match[static_cast<size_t>(open.back() - s)] = i;
            open.pop_back();
        }
    }
}

void WayParser::StripParens(qsizetype& s, qsizetype& e) const
{
    while (e - s >= 2 && At(s) == QLatin1Char('(') && At(e - 1) == QLatin1Char(')')
           && m_match[static_cast<size_t>(s - m_stmt)] == e - 1) {
        ++s;
        --e;
    }
}

bool WayParser::Literal(qsizetype s, qsizetype e, QString& stored) const
{
    StripParens(s, e);
    const QStringView t = Piece(s, e);
    if (t.isEmpty() || t == QLatin1String("{}") || IsWayNumber(t)) {
        stored = t.toString();
        return true;
    }
    if (t.size() < 2 || t.front() != QLatin1Char('{') || t.indexOf(QLatin1Char('}')) != t.size() - 1)
        return false;
    const QStringView inner = t.sliced(1, t.size() - 2);
    if (!ForEachPiece(inner, [](QStringView piece) { return IsWayNumber(piece); }))
        return false;
    stored = inner.toString();
    return true;
}

int32_t WayParser::NameNode(qsizetype s, qsizetype e) const
{
    if (!m_nameLength[static_cast<size_t>(e - s)])
        return -1;
    return m_names.value(Piece(s, e).toString(), -1);
}

int32_t WayParser::NewNode(int16_t order, int32_t paraCount)
{
    const int32_t index = static_cast<int32_t>(m_way.m_nodes.size());
    m_way.m_nodes.push_back(CWay::Node{order, static_cast<int32_t>(m_way.m_paras.size()), paraCount});
    m_way.m_paras.resize(m_way.m_paras.size() + static_cast<size_t>(paraCount));
    return index;
}

void WayParser::SetPara(int32_t node, int32_t slot, int32_t ref, QString text)
{
    CWay::Para& p = m_way.m_paras[static_cast<size_t>(m_way.m_nodes[static_cast<size_t>(node)].FirstPara + slot)];
    p.Node = ref;
    p.Text = std::move(text);
}

bool WayParser::MakePara(int32_t node, int32_t slot, qsizetype s, qsizetype e, int depth)
{
    QString stored;
    if (Literal(s, e, stored)) {
        SetPara(node, slot, -1, std::move(stored));
        return true;
    }
    int32_t ref = NameNode(s, e);
    if (ref < 0)
        ref = ParseExp(s, e, depth);
    if (ref < 0)
        return false;
    SetPara(node, slot, ref);
    return true;
}

int32_t WayParser::ParseExp(qsizetype s, qsizetype e, int depth)
{
    if (depth >= CWay::kMaxNesting) {
        Fault = WayParseFault::TooDeep;
        return Error(s, e - s), -1;
    }
    StripParens(s, e);
    // The operators outside braces and parentheses, in one scan.
    std::vector<qsizetype> ops;
    int32_t parens = 0;
    int32_t braces = 0;
    for (qsizetype i = s; i < e; ++i) {
        const QChar c = At(i);
        if (c == QLatin1Char('(')) {
            ++parens;
        } else if (c == QLatin1Char(')')) {
            --parens;
        } else if (c == QLatin1Char('{')) {
            ++braces;
        } else if (c == QLatin1Char('}')) {
            if (braces > 0)
                --braces;
        } else if (parens == 0 && braces == 0 && OperatorOrder(c) > 0) {
            ops.push_back(i);
        }
    }
    return ops.empty() ? ParseCall(s, e, depth) : ParseChain(s, e, ops, depth);
}

int32_t WayParser::ParseChain(qsizetype s, qsizetype e, const std::vector<qsizetype>& ops, int depth)
{
    // The nodes of the chain, from the last operator inward. The left operand
    // of operator i is the text before it; it splits again at operator i - 1
    // unless it is a literal or a name. Holding i operators, it can be a
    // literal only when they are the signs of one number (i <= 2).
    std::vector<int32_t> chain;  // chain[k]: the node of operator ops[last - k]
    qsizetype i = static_cast<qsizetype>(ops.size()) - 1;
    chain.push_back(NewNode(OperatorOrder(At(ops[i])), 2));
    for (;; --i) {
        const int32_t node = chain.back();
        if (i == 0) {
            if (!MakePara(node, 0, s, ops[0], depth + 1))
                return -1;
            break;
        }
        QString stored;
        if (i <= 2 && Literal(s, ops[i], stored)) {
            SetPara(node, 0, -1, std::move(stored));
            break;
        }
        const int32_t named = NameNode(s, ops[i]);
        if (named >= 0) {
            SetPara(node, 0, named);
            break;
        }
        const int32_t inner = NewNode(OperatorOrder(At(ops[i - 1])), 2);
        SetPara(node, 0, inner);
        chain.push_back(inner);
    }
    // The right operands, innermost operator first.
    const qsizetype last = static_cast<qsizetype>(ops.size()) - 1;
    for (qsizetype k = i; k <= last; ++k) {
        const qsizetype end = k < last ? ops[k + 1] : e;
        if (!MakePara(chain[static_cast<size_t>(last - k)], 1, ops[k] + 1, end, depth + 1))
            return -1;
    }
    return chain.front();
}

int32_t WayParser::ParseCall(qsizetype s, qsizetype e, int depth)
{
    int16_t order = -1;
    if (e - s >= 3) {
        for (int16_t o = way::kMod; o < CWay::OrderCount && order < 0; ++o) {
            const QString& name = m_way.m_orders[static_cast<size_t>(o)].Name;
            bool same = true;
            for (int k = 0; k < 3 && same; ++k)
                same = AsciiLower(At(s + k).unicode()) == AsciiLower(name[k].unicode());
            if (same)
                order = o;
        }
    }
    if (order < 0)
        return Error(s, e - s), -1;
    qsizetype rs = s + 3;
    qsizetype re = e;
    while (rs < re && At(rs) == QLatin1Char(' '))
        ++rs;
    while (re > rs && At(re - 1) == QLatin1Char(' '))
        --re;
    if (re - rs < 2 || At(rs) != QLatin1Char('(') || At(re - 1) != QLatin1Char(')'))
        return Error(s + 3, e - s - 3), -1;
    const qsizetype as = rs + 1;
    const qsizetype ae = re - 1;
    // The arguments: split at the commas outside nested parentheses.
    std::vector<qsizetype> cuts{as - 1};
    int32_t parens = 0;
    for (qsizetype i = as; i < ae; ++i) {
        const QChar c = At(i);
        if (c == QLatin1Char('(')) {
            ++parens;
        } else if (c == QLatin1Char(')')) {
            --parens;
        } else if (c == QLatin1Char(',')) {
            if (parens < 0)
                return Error(as, ae - as), -1;
            if (parens == 0)
                cuts.push_back(i);
        }
    }
    cuts.push_back(ae);
    const int32_t count = static_cast<int32_t>(cuts.size()) - 1;
    const int32_t node = NewNode(order, count);
    for (int32_t k = 0; k < count; ++k) {
        if (!MakePara(node, k, cuts[static_cast<size_t>(k)] + 1, cuts[static_cast<size_t>(k) + 1], depth + 1))
            return -1;
    }
    return node;
}

bool CWay::TestStrWay(const QString& sStr, int32_t& oErrStart, int32_t& oErrStrCount)
{
    m_nodes.clear();
    m_paras.clear();
    m_defs.clear();
    m_resultNode = 0;
    m_parsed = false;
    m_parseFault = WayParseFault::None;
    if (sStr.size() > kMaxTextLength) {
        m_parseFault = WayParseFault::TooLong;
        oErrStart = kMaxTextLength + 1;
        oErrStrCount = static_cast<int32_t>(sStr.size() - kMaxTextLength);
        return true;
    }
    WayParser parser(*this, sStr);
    if (!parser.Run()) {
        m_nodes.clear();
        m_paras.clear();
        m_defs.clear();
        m_resultNode = 0;
        m_parseFault = parser.Fault;
        oErrStart = static_cast<int32_t>(parser.ErrStart + 1);
        oErrStrCount = static_cast<int32_t>(parser.ErrCount);
        return true;
    }
    m_parsed = true;
    return false;
}

QString CWay::FilterWay() const
{
    for (const Node& node : m_nodes) {
        for (int32_t k = 0; k < node.ParaCount; ++k) {
            const Para& p = m_paras[static_cast<size_t>(node.FirstPara + k)];
            if (p.Node >= 0)
                continue;
            const QString literal = TrimBlanks(p.Text);
            WayDecimal d;
            if (WayDecimal::Scan(literal, d) && !WayIntegerOf(d, -32768, 32767))
                return QStringLiteral("参数的值不能小于-32768或大于32767：") + literal;
        }
    }
    return QString();
}

}  // namespace kelton
