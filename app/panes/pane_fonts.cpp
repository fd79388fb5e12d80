#include "pane_fonts.h"

namespace indikt {

QFont StoredFont(const ZkSettings& settings, const std::string& prefix)
{
    QFont font(settings.text(kSectionVid, prefix + "Name"));
    font.setPointSize(settings.number(kSectionVid, prefix + "Size"));
    const QString style = settings.text(kSectionVid, prefix + "Style");
    font.setBold(style.contains("fsBold"));
    font.setItalic(style.contains("fsItalic"));
    return font;
}

void StoreFont(ZkSettings& settings, const std::string& prefix, const QFont& font)
{
    settings.setText(kSectionVid, prefix + "Name", font.family());
    settings.setNumber(kSectionVid, prefix + "Size", font.pointSize() > 0 ? font.pointSize() : 10);
    const QString style = font.bold() && font.italic() ? "[fsBold,fsItalic]"
                          : font.bold()                ? "[fsBold]"
                          : font.italic()              ? "[fsItalic]"
                                                       : "[]";
    settings.setText(kSectionVid, prefix + "Style", style);
}

}  // namespace indikt
