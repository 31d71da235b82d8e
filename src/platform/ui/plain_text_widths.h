#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include <QFont>
#include <QStringView>

namespace kelton {

// The widths of numeric texts (digits and the signs "-.:/ " between them),
// added up from each character's advance instead of laying every text out.
// Statistics tables are mostly such texts, tens of thousands of them, and
// fitting their columns measured each one. The sums are trusted only for a
// font whose layout of these characters is plain, one after another with
// no kerning or letter spacing between them; that is checked once, against
// the font's own measure, when the widths are made.
class CPlainTextWidths {
public:
    explicit CPlainTextWidths(const QFont& font);

    // The width in pixels QFontMetrics::horizontalAdvance gives the text,
    // or nullopt for a text with another character or in a font that lays
    // these characters out otherwise.
    std::optional<int> Of(QStringView text) const;
    bool Usable() const { return m_usable; }

    // The characters whose widths add up.
    static constexpr char16_t kChars[] = u"0123456789-.:/ ";

private:
    static constexpr char16_t kFirst = u' ';
    static constexpr char16_t kLast = u':';
    static constexpr int kUnknown = -1;
    // Rounds a sum of advances in 64ths of a pixel as the text layout does.
    static int Summed(int64_t sum64) { return static_cast<int>((sum64 + 32) >> 6); }
    bool Check(const QFont& font) const;

    std::array<int, kLast - kFirst + 1> m_advance64{}; // kUnknown: not one of kChars
    bool m_usable = false;
};

} // namespace kelton
