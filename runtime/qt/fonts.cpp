#include "runtime/qt/fonts.h"

#include "runtime/font_fallbacks.h"
#include "runtime/qt/units.h"

#include <QFontDatabase>
#include <QString>
#include <QStringList>
#include <QTextLayout>

#include <map>

namespace varn::qt {

namespace {
// The family the system has for a named one: the family itself where it is
// installed, else its first installed substitute. Asking for an installed
// family spares the toolkit a search through the desktop's fallback fonts
// for one it cannot find. Chosen once per family.
QString InstalledFamily(std::string_view named) {
    static std::map<std::string_view, QString> chosen;
    auto found = chosen.find(named);
    if (found != chosen.end())
        return found->second;
    // The plain list of installed families: looking a name up in it does not
    // set the desktop's font matching to work, as asking for one family does.
    static const QStringList installed = QFontDatabase::families();
    const QString family = ToQString(named);
    QString choice = family; // none installed: the toolkit's own choice
    for (const QString& candidate : QStringList{family} + QFont::substitutes(family))
        if (installed.contains(candidate, Qt::CaseInsensitive)) {
            choice = candidate;
            break;
        }
    return chosen.emplace(named, choice).first->second;
}

} // namespace

void InstallFontSubstitutes() {
    // Families the scenes name that Linux desktops rarely have, mapped to
    // metric-alike or similar-looking free families, first available wins.
    for (std::string_view named :
         {std::string_view("Sylfaen"), std::string_view("MS Sans Serif")}) {
        const FontFallbacks fallbacks = FallbacksFor(named);
        QStringList families;
        for (std::string_view family : fallbacks.families)
            families << ToQString(family);
        families << (fallbacks.serif ? QStringLiteral("Serif") : QStringLiteral("Sans Serif"));
        QFont::insertSubstitutions(ToQString(named), families);
    }
}

QFont ItemFont(const std::optional<FontSpec>& named) {
    const FontSpec& f = named ? *named : kInterfaceFont;
    QFont font(InstalledFamily(f.family));
    // Whole pixels, as Windows makes a point size into a font (8 pt is 11 px).
    font.setPixelSize(CharacterHeight(f, 96));
    font.setWeight(QFont::Weight(f.weight));
    // Captions are plain Latin text, set glyph by glyph as the scenes were
    // drawn, without ligatures or kerning, and every glyph is in the one
    // family chosen: no other fonts are lined up behind it for characters it
    // lacks, which would cost the desktop's whole list of fallback fonts.
    font.setStyleHint(f.family == "Sylfaen" ? QFont::Serif : QFont::SansSerif,
                      QFont::StyleStrategy(QFont::PreferNoShaping | QFont::NoFontMerging));
    return font;
}

QStringList WrappedLines(const QString& text, const QFont& font, int width) {
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    QStringList lines;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width - kLineFitMargin);
        QString words = text.mid(line.textStart(), line.textLength());
        while (words.endsWith(QLatin1Char(' ')))
            words.chop(1);
        lines << words;
    }
    layout.endLayout();
    return lines;
}

} // namespace varn::qt
