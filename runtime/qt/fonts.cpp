#include "runtime/qt/fonts.h"

#include "runtime/qt/units.h"

#include <QString>
#include <QStringList>

namespace varn::qt {

namespace {
// The interface font every item without a named font uses.
constexpr FontSpec kDefaultFont{"MS Sans Serif", 8, 400};
} // namespace

void InstallFontSubstitutes() {
    // Families the scenes name that Linux desktops rarely have, mapped to
    // metric-alike or similar-looking free families, first available wins.
    QFont::insertSubstitutions(
        "Sylfaen", {"Noto Serif", "Liberation Serif", "DejaVu Serif", "FreeSerif", "Serif"});
    QFont::insertSubstitutions(
        "MS Sans Serif", {"Liberation Sans", "DejaVu Sans", "Noto Sans", "FreeSans", "Sans Serif"});
}

QFont ItemFont(const std::optional<FontSpec>& named) {
    const FontSpec& f = named ? *named : kDefaultFont;
    QFont font(ToQString(f.family));
    font.setPointSizeF(f.points);
    font.setWeight(QFont::Weight(f.weight));
    // Captions are plain Latin text, set glyph by glyph as the scenes were
    // drawn, without ligatures or kerning.
    font.setStyleHint(f.family == "Sylfaen" ? QFont::Serif : QFont::SansSerif,
                      QFont::PreferNoShaping);
    return font;
}

} // namespace varn::qt
