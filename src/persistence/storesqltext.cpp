#include "persistence/storesqltext.h"

#include "app/format.h"
#include "app/translation.h"
#include "persistence/storesqlite.h"
#include "persistence/storetypes.h"

namespace kwpstore {

namespace {
bool sqlWordChar(QChar c) {
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('$');
}

[[noreturn]] void filterError(const QString& filter, const QString& detail) {
    throw EStoreError(FormatStr(_("Filter \"%s\" ist ungültig: %s"), {filter, detail}));
}

// Recursive descent over: or-expression, and-expression, not, parentheses, comparison.
class FilterCompiler {
public:
    FilterCompiler(const QString& filter, const TFieldDefs& fields, QList<SqlToken> tokens)
        : m_filter(filter), m_fields(fields), m_tokens(std::move(tokens)) {}

    CompiledFilter compile() {
        CompiledFilter result;
        result.sql = orExpression(result.params);
        if (current().kind != SqlToken::End)
            filterError(m_filter, FormatStr(_("unerwartet: %s"), {current().text}));
        return result;
    }

private:
    const SqlToken& current() const { return m_tokens[m_pos]; }
    bool isKeyword(const char* word) const {
        return current().kind == SqlToken::Word &&
               current().text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
    }
    bool isSymbol(const char* symbol) const {
        return current().kind == SqlToken::Symbol && current().text == QLatin1String(symbol);
    }

    QString orExpression(QVariantList& params) {
        QString sql = andExpression(params);
        while (isKeyword("or")) {
            ++m_pos;
            sql = QLatin1Char('(') + sql + QStringLiteral(" OR ") + andExpression(params) +
                  QLatin1Char(')');
        }
        return sql;
    }

    QString andExpression(QVariantList& params) {
        QString sql = notExpression(params);
        while (isKeyword("and")) {
            ++m_pos;
            sql = QLatin1Char('(') + sql + QStringLiteral(" AND ") + notExpression(params) +
                  QLatin1Char(')');
        }
        return sql;
    }

    QString notExpression(QVariantList& params) {
        if (isKeyword("not")) {
            ++m_pos;
            return QStringLiteral("(NOT ") + notExpression(params) + QLatin1Char(')');
        }
        if (isSymbol("(")) {
            ++m_pos;
            const QString inner = orExpression(params);
            if (!isSymbol(")")) filterError(m_filter, _("\")\" fehlt"));
            ++m_pos;
            return inner;
        }
        return comparison(params);
    }

    QString comparison(QVariantList& params) {
        const SqlToken field = current();
        if (field.kind != SqlToken::Word && field.kind != SqlToken::QuotedName)
            filterError(m_filter, _("Feldname erwartet"));
        const TFieldDef* def = m_fields.Find(field.text);
        if (!def) filterError(m_filter, FormatStr(_("unbekanntes Feld \"%s\""), {field.text}));
        ++m_pos;
        QString op;
        if (isKeyword("like")) {
            op = QStringLiteral("LIKE");
        } else if (current().kind == SqlToken::Symbol &&
                   QStringList{QStringLiteral("="), QStringLiteral("<>"), QStringLiteral("!="),
                               QStringLiteral("<"), QStringLiteral(">"), QStringLiteral("<="),
                               QStringLiteral(">=")}
                       .contains(current().text)) {
            op = current().text == QLatin1String("!=") ? QStringLiteral("<>") : current().text;
        } else {
            filterError(m_filter, _("Vergleichsoperator erwartet"));
        }
        ++m_pos;
        const SqlToken literal = current();
        if (literal.kind != SqlToken::Text && literal.kind != SqlToken::Number)
            filterError(m_filter, _("Wert erwartet"));
        ++m_pos;
        const QString column = QuoteIdent(def->name);
        if (op == QLatin1String("LIKE")) {
            QString pattern;
            for (const QChar c : literal.text) {
                if (c == QLatin1Char('*'))
                    pattern += QLatin1Char('%');
                else if (c == QLatin1Char('?'))
                    pattern += QLatin1Char('_');
                else if (c == QLatin1Char('%') || c == QLatin1Char('_') || c == QLatin1Char('\\'))
                    pattern += QLatin1Char('\\') + c;
                else
                    pattern += c;
            }
            params.append(pattern);
            return column + QStringLiteral(" LIKE ? ESCAPE '\\'");
        }
        if (literal.kind == SqlToken::Number)
            params.append(QVariant(literal.text.toDouble()));
        else
            params.append(literal.text);
        return column + QLatin1Char(' ') + op + QStringLiteral(" ?");
    }

    const QString& m_filter;
    const TFieldDefs& m_fields;
    QList<SqlToken> m_tokens;
    int m_pos = 0;
};

// Index of the token that closes the parenthesis opened at `open`.
int sqlClosingParen(const QList<SqlToken>& tokens, int open) {
    int depth = 0;
    for (int i = open; i < tokens.size(); ++i) {
        if (tokens[i].kind != SqlToken::Symbol) continue;
        if (tokens[i].text == QLatin1String("(")) ++depth;
        if (tokens[i].text == QLatin1String(")") && --depth == 0) return i;
    }
    return -1;
}

bool sqlIsWord(const SqlToken& token, const char* word) {
    return token.kind == SqlToken::Word &&
           token.text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
}

// The text of tokens [first, last) as written, with SUBSTRING(x FROM a FOR b) rewritten.
QString sqlTranslateRange(const QString& sql, const QList<SqlToken>& tokens, int first, int last) {
    QString out;
    int pos = first < last ? tokens[first].start : 0;
    for (int i = first; i < last; ++i) {
        const SqlToken& token = tokens[i];
        int close = -1;
        int from = -1;
        int forToken = -1;
        if (sqlIsWord(token, "SUBSTRING") && i + 1 < last &&
            tokens[i + 1].text == QLatin1String("(") && tokens[i + 1].kind == SqlToken::Symbol)
            close = sqlClosingParen(tokens, i + 1);
        if (close > 0 && close < last) {
            int depth = 0;
            for (int k = i + 2; k < close; ++k) {
                const SqlToken& t = tokens[k];
                if (t.kind == SqlToken::Symbol && t.text == QLatin1String("(")) ++depth;
                if (t.kind == SqlToken::Symbol && t.text == QLatin1String(")")) --depth;
                if (depth != 0) continue;
                if (from < 0 && sqlIsWord(t, "FROM"))
                    from = k;
                else if (from >= 0 && forToken < 0 && sqlIsWord(t, "FOR"))
                    forToken = k;
            }
        }
        if (from < 0) {
            out += sql.mid(pos, token.start + token.length - pos);
            pos = token.start + token.length;
            continue;
        }
        out += sql.mid(pos, token.start - pos);
        out += QStringLiteral("substr(") + sqlTranslateRange(sql, tokens, i + 2, from) +
               QStringLiteral(", ") +
               sqlTranslateRange(sql, tokens, from + 1, forToken < 0 ? close : forToken);
        if (forToken >= 0)
            out += QStringLiteral(", ") + sqlTranslateRange(sql, tokens, forToken + 1, close);
        out += QLatin1Char(')');
        pos = tokens[close].start + 1;
        i = close;
    }
    return out;
}
}  // namespace

QList<SqlToken> TokenizeSql(const QString& text) {
    QList<SqlToken> tokens;
    int i = 0;
    const int n = int(text.size());
    while (i < n) {
        const QChar c = text[i];
        if (c.isSpace()) {
            ++i;
            continue;
        }
        SqlToken token;
        token.start = i;
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            token.kind = c == QLatin1Char('\'') ? SqlToken::Text : SqlToken::QuotedName;
            ++i;
            for (;;) {
                if (i >= n)
                    throw EStoreError(
                        FormatStr(_("Anführungszeichen nicht geschlossen: %s"), {text}));
                if (text[i] == c) {
                    if (i + 1 < n && text[i + 1] == c) {
                        token.text += c;
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                token.text += text[i++];
            }
        } else if (c.isDigit() || (c == QLatin1Char('.') && i + 1 < n && text[i + 1].isDigit())) {
            token.kind = SqlToken::Number;
            while (i < n && (text[i].isDigit() || text[i] == QLatin1Char('.')))
                token.text += text[i++];
        } else if (sqlWordChar(c)) {
            token.kind = SqlToken::Word;
            while (i < n && sqlWordChar(text[i])) token.text += text[i++];
        } else {
            token.kind = SqlToken::Symbol;
            const QString two = text.mid(i, 2);
            if (two == QLatin1String("<>") || two == QLatin1String("<=") ||
                two == QLatin1String(">=") || two == QLatin1String("!=") ||
                two == QLatin1String("||")) {
                token.text = two;
                i += 2;
            } else {
                token.text = c;
                ++i;
            }
        }
        token.length = i - token.start;
        tokens.append(token);
    }
    SqlToken end;
    end.start = n;
    tokens.append(end);
    return tokens;
}

CompiledFilter CompileFilter(const QString& filter, const TFieldDefs& fields) {
    if (filter.trimmed().isEmpty()) return {};
    QList<SqlToken> tokens;
    try {
        tokens = TokenizeSql(filter);
    } catch (const EStoreError& e) {
        filterError(filter, e.message());
    }
    return FilterCompiler(filter, fields, std::move(tokens)).compile();
}

QString TranslateSql(const QString& sql) {
    const QList<SqlToken> tokens = TokenizeSql(sql);
    return sqlTranslateRange(sql, tokens, 0, int(tokens.size()) - 1);
}

QStringList SqlNames(const QString& sql) {
    QStringList names;
    for (const SqlToken& token : TokenizeSql(sql))
        if ((token.kind == SqlToken::Word || token.kind == SqlToken::QuotedName) &&
            !names.contains(token.text, Qt::CaseInsensitive))
            names.append(token.text);
    return names;
}

}  // namespace kwpstore
