#include "LogText.h"

namespace {

bool needsEscape(ushort u)
{
    // C0 and C1 controls, DEL, and the Unicode line breaks a log viewer may honour.
    return u < 0x20 || (u >= 0x7f && u <= 0x9f) || u == 0x2028 || u == 0x2029;
}

} // namespace

QString LogText::escaped(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const ushort u = c.unicode();
        // A surrogate pair passes whole; half of one would leave the line invalid UTF-16, which
        // log sinks mangle and pattern matching refuses.
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            out += c;
            out += text.at(++i);
            continue;
        }
        switch (u) {
        case '\n':
            out += QLatin1String("\\n");
            continue;
        case '\r':
            out += QLatin1String("\\r");
            continue;
        case '\t':
            out += QLatin1String("\\t");
            continue;
        case '\\':
            out += QLatin1String("\\\\");
            continue;
        case '"':
            out += QLatin1String("\\\"");
            continue;
        default:
            break;
        }
        if (!needsEscape(u) && !c.isSurrogate())
            out += c;
        else if (u <= 0xff)
            out += QStringLiteral("\\x%1").arg(u, 2, 16, QLatin1Char('0'));
        else
            out += QStringLiteral("\\u%1").arg(u, 4, 16, QLatin1Char('0'));
    }
    return out;
}

QString LogText::quoted(const QString &text)
{
    return QLatin1Char('"') + escaped(text) + QLatin1Char('"');
}
