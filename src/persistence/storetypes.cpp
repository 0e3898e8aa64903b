#include "persistence/storetypes.h"

#include <QRegularExpression>

bool IsValidStoreFieldType(int type) {
    switch (type) {
        case sftInteger:
        case sftFloat:
        case sftSmallInt:
        case sftBoolean:
        case sftAutoInc:
        case sftDateTime:
        case sftString:
        case sftMemo:
            return true;
        default:
            return false;
    }
}

TFieldDef& TFieldDefs::Add(const QString& name, int type, int size, bool required) {
    m_defs.append(TFieldDef{name, type, size, required, 0});
    return m_defs.last();
}

int TFieldDefs::IndexOf(const QString& name) const {
    for (int i = 0; i < m_defs.size(); ++i)
        if (m_defs[i].name.compare(name, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

TFieldDef* TFieldDefs::Find(const QString& name) {
    const int index = IndexOf(name);
    return index < 0 ? nullptr : &m_defs[index];
}

const TFieldDef* TFieldDefs::Find(const QString& name) const {
    const int index = IndexOf(name);
    return index < 0 ? nullptr : &m_defs[index];
}

void TFieldDefs::Move(int from, int to) {
    if (from < 0 || from >= m_defs.size() || to < 0 || to >= m_defs.size()) return;
    m_defs.move(from, to);
}

QStringList TIndexDef::fieldList() const {
    static const QRegularExpression separators(QStringLiteral("[;,]"));
    QStringList names;
    for (const QString& part : fields.split(separators, Qt::SkipEmptyParts))
        if (!part.trimmed().isEmpty()) names.append(part.trimmed());
    return names;
}

TIndexDef& TIndexDefs::Add(const QString& name, const QString& fields, int options) {
    m_defs.append(TIndexDef{name, fields, options});
    return m_defs.last();
}

int TIndexDefs::IndexOf(const QString& name) const {
    for (int i = 0; i < m_defs.size(); ++i)
        if (m_defs[i].name.compare(name, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

const TIndexDef* TIndexDefs::Find(const QString& name) const {
    const int index = IndexOf(name);
    return index < 0 ? nullptr : &m_defs[index];
}
