#include "addressdb/dbadresssearch.h"

#include <QSet>

#include "app/conversions.h"

namespace addresssearch {

namespace {
// Upper case, umlauts folded, control characters and other white space as single blanks.
// Lone surrogates become U+FFFD: Qt and SQLite would convert them to UTF-8 differently.
QString searchKey(const QString& text) {
    QString key = FoldUmlauts(text);
    for (qsizetype i = 0; i < key.size(); ++i) {
        const QChar c = key.at(i);
        if (c.unicode() < 0x20 || c.unicode() == 0x7F) {
            key[i] = QLatin1Char(' ');
        } else if (c.isHighSurrogate() && i + 1 < key.size() && key.at(i + 1).isLowSurrogate()) {
            ++i;
        } else if (c.isSurrogate()) {
            key[i] = QChar::ReplacementCharacter;
        }
    }
    return key.simplified();
}

// The five named entities and character references; anything else stays as written.
QString searchDecode(QStringView text) {
    if (!text.contains(QLatin1Char('&'))) return text.toString();
    QString decoded;
    decoded.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype end = text[i] == QLatin1Char('&') ? text.indexOf(QLatin1Char(';'), i) : -1;
        if (end > i + 1 && end - i <= 10) {
            const QStringView name = text.sliced(i + 1, end - i - 1);
            char32_t code = 0;
            static const QList<QPair<QStringView, char32_t>> named{
                {u"amp", U'&'}, {u"lt", U'<'}, {u"gt", U'>'}, {u"quot", U'"'}, {u"apos", U'\''}};
            for (const auto& [entity, character] : named)
                if (name == entity) code = character;
            if (name.startsWith(QLatin1Char('#'))) {
                bool ok = false;
                const bool hex =
                    name.size() > 1 && (name[1] == QLatin1Char('x') || name[1] == QLatin1Char('X'));
                const uint value =
                    hex ? name.sliced(2).toUInt(&ok, 16) : name.sliced(1).toUInt(&ok, 10);
                if (ok && value > 0 && value <= 0x10FFFF && (value < 0xD800 || value > 0xDFFF))
                    code = value;
            }
            if (code != 0) {
                decoded += QString::fromUcs4(&code, 1);
                i = end;
                continue;
            }
        }
        decoded += text[i];
    }
    return decoded;
}

qsizetype searchSkipPast(QStringView xml, qsizetype from, QStringView end) {
    const qsizetype at = xml.indexOf(end, from);
    return at < 0 ? xml.size() : at + end.size();
}

// The attribute values and texts of an XML text. Lenient: a damaged text gives what can be
// told apart, never an error.
void appendXmlValues(QStringView xml, QStringList& values) {
    const qsizetype n = xml.size();
    qsizetype i = 0;
    const auto isSpace = [&](qsizetype at) { return xml[at].isSpace(); };
    while (i < n) {
        if (xml[i] != QLatin1Char('<')) {
            qsizetype end = xml.indexOf(QLatin1Char('<'), i);
            if (end < 0) end = n;
            values.append(searchDecode(xml.sliced(i, end - i)));
            i = end;
            continue;
        }
        const QStringView rest = xml.sliced(i);
        if (rest.startsWith(u"<!--")) {
            i = searchSkipPast(xml, i + 4, u"-->");
        } else if (rest.startsWith(u"<![CDATA[")) {
            const qsizetype start = i + 9;
            qsizetype end = xml.indexOf(u"]]>", start);
            if (end < 0) end = n;
            values.append(xml.sliced(start, end - start).toString());
            i = std::min(n, end + 3);
        } else if (rest.startsWith(u"<?")) {
            i = searchSkipPast(xml, i + 2, u"?>");
        } else if (rest.startsWith(u"<!") || rest.startsWith(u"</")) {
            i = searchSkipPast(xml, i + 2, u">");
        } else {
            ++i;
            while (i < n && !isSpace(i) && xml[i] != QLatin1Char('>') && xml[i] != QLatin1Char('/'))
                ++i;
            while (i < n) {
                while (i < n && isSpace(i)) ++i;
                if (i >= n) break;
                if (xml[i] == QLatin1Char('>')) {
                    ++i;
                    break;
                }
                if (xml[i] == QLatin1Char('/')) {
                    ++i;
                    continue;
                }
                while (i < n && xml[i] != QLatin1Char('=') && !isSpace(i) &&
                       xml[i] != QLatin1Char('>') && xml[i] != QLatin1Char('/'))
                    ++i;
                while (i < n && isSpace(i)) ++i;
                if (i >= n || xml[i] != QLatin1Char('=')) continue;
                ++i;
                while (i < n && isSpace(i)) ++i;
                if (i < n && (xml[i] == QLatin1Char('"') || xml[i] == QLatin1Char('\''))) {
                    qsizetype end = xml.indexOf(xml[i], i + 1);
                    if (end < 0) end = n;
                    values.append(searchDecode(xml.sliced(i + 1, end - i - 1)));
                    i = end + 1;
                }
            }
        }
    }
}

QString shownText(const QVariant& value) {
    return value.isNull() ? QString() : value.toString();
}
}  // namespace

QList<QByteArray> SplitSearchText(const QString& text) {
    QList<QByteArray> needles;
    for (const QString& part : searchKey(text).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (!part.startsWith(QLatin1Char('.')))
            needles.append(part.toUtf8());
        else if (part.size() > 1)
            needles.append((QLatin1Char(' ') + part.mid(1) + QLatin1Char(' ')).toUtf8());
    }
    return needles;
}

QString Haystack(const QVariantList& columns) {
    QStringList values;
    for (qsizetype i = 0; i < columns.size(); ++i) {
        const QString text = shownText(columns[i]);
        if (i + 1 < columns.size())
            values.append(text);
        else
            appendXmlValues(text, values);
    }
    // A word of the search text holds no blank, so it matches within one word of the row (or,
    // as a whole word, one word exactly): each distinct word once is enough. The values are
    // folded as one text; the blank between them keeps their words apart.
    const QString key = searchKey(values.join(QLatin1Char(' ')));
    QString hay(1, QLatin1Char(' '));
    hay.reserve(key.size() + 2);
    QSet<QStringView> seen;
    for (const QStringView word : QStringView(key).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (seen.contains(word)) continue;
        seen.insert(word);
        hay += word;
        hay += QLatin1Char(' ');
    }
    return hay;
}

std::unique_ptr<TStoreTextIndex> MakeIndex(TStoreTable& table) {
    return std::make_unique<TStoreTextIndex>(
        table,
        QStringList{QStringLiteral("ID"), QStringLiteral("DISPLAYTXT"), QStringLiteral("WVTXT"),
                    QStringLiteral("CHARACT"), QStringLiteral("XMLDATA")},
        Haystack,
        QStringList{QStringLiteral("ID"), QStringLiteral("DISPLAYTXT"), QStringLiteral("ADDRGRP"),
                    QStringLiteral("WV")});
}

ShownRows ToShown(const TStoreRowValues& rows) {
    ShownRows shown;
    shown.reserve(rows.size());
    for (const auto& [row, values] : rows)
        shown.emplace(row, Shown{shownText(values.value(0)), shownText(values.value(1)),
                                 shownText(values.value(2)), values.value(3).toDouble()});
    return shown;
}

}  // namespace addresssearch
