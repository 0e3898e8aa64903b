#include "address/addressconfig.h"

#include "app/conversions.h"

TAddressConfig::TAddressConfig() {
    TAddressConfig::Clear();
}

TAddressConfig::~TAddressConfig() = default;

QString TAddressConfig::className() const {
    return QStringLiteral("TAddressConfig");
}

void TAddressConfig::Clear() {
    Lkz.clear();
    SearchPlz = true;
    AdressKz.clear();
    AnschriftArten.clear();
    AdressGrp.clear();
    Nk.clear();
    KontaktKz.clear();
    SpezielleKontaktKz.clear();
    StdMwSt = 0;
    StdMahnTyp = 0;
    StdMailHeader.clear();
    m_openList = nullptr;
}

QStringList* TAddressConfig::listForElement(const QString& name) {
    if (name == QLatin1String("adresskz")) return &AdressKz;
    if (name == QLatin1String("anschriftarten")) return &AnschriftArten;
    if (name == QLatin1String("adressgrp")) return &AdressGrp;
    if (name == QLatin1String("nk")) return &Nk;
    if (name == QLatin1String("kontaktkz")) return &KontaktKz;
    if (name == QLatin1String("speziellekontaktkz")) return &SpezielleKontaktKz;
    return nullptr;
}

void TAddressConfig::StartElement(const QString& namespaceUri, const QString& localName,
                                  const QString& qName, const TXmlAttributes& attributes) {
    Q_UNUSED(namespaceUri);
    Q_UNUSED(localName);
    CurrentElement = qName;
    if (QStringList* list = listForElement(qName)) {
        m_openList = list;
        TextBuffer.clear();
        return;
    }
    const QString valName = QStringLiteral("val");
    if (!attributes.has(valName)) return;
    const QString val = attributes.value(valName);
    if (qName == QLatin1String("lkz"))
        Lkz = val;
    else if (qName == QLatin1String("searchplz"))
        SearchPlz = ToBool(val, SearchPlz);
    else if (qName == QLatin1String("stdmwst"))
        StdMwSt = ToInt(val, StdMwSt);
    else if (qName == QLatin1String("stdmahntyp"))
        StdMahnTyp = ToInt(val, StdMahnTyp);
    else if (qName == QLatin1String("stdmailheader"))
        StdMailHeader = val;
}

void TAddressConfig::Characters(const QString& chunk) {
    if (m_openList) TextBuffer.appendWideString(chunk);
}

void TAddressConfig::EndElement(const QString& namespaceUri, const QString& localName,
                                const QString& qName) {
    Q_UNUSED(namespaceUri);
    Q_UNUSED(localName);
    CurrentElement.clear();
    QStringList* list = listForElement(qName);
    if (list && list == m_openList) {
        *list = SplitListText(TextBuffer.dataString());
        TextBuffer.clear();
        m_openList = nullptr;
    }
}

void TAddressConfig::WriteXML(TXmlContent, int) {
    WriteLine(QStringLiteral("<adressconfig>"));
    WriteFormatLine(QStringLiteral("  <lkz val=\"%s\"/>"), {XmlEscape(Lkz)});
    WriteFormatLine(QStringLiteral("  <searchplz val=\"%s\"/>"),
                    {SearchPlz ? QStringLiteral("True") : QStringLiteral("False")});
    WriteFormatLine(QStringLiteral("  <stdmwst val=\"%d\"/>"), {StdMwSt});
    WriteFormatLine(QStringLiteral("  <stdmahntyp val=\"%d\"/>"), {StdMahnTyp});
    WriteFormatLine(QStringLiteral("  <stdmailheader val=\"%s\"/>"), {XmlEscape(StdMailHeader)});
    const auto writeList = [this](const char* name, const QStringList& list) {
        const QString element = QLatin1String(name);
        WriteLine(QStringLiteral("  <") + element + u'>' + XmlEscape(ListText(list)) +
                  QStringLiteral("</") + element + u'>');
    };
    writeList("adresskz", AdressKz);
    writeList("anschriftarten", AnschriftArten);
    writeList("adressgrp", AdressGrp);
    writeList("nk", Nk);
    writeList("kontaktkz", KontaktKz);
    writeList("speziellekontaktkz", SpezielleKontaktKz);
    WriteLine(QStringLiteral("</adressconfig>"));
}

QString TAddressConfig::ListText(const QStringList& list) {
    return list.join(CrLf);
}

QStringList TAddressConfig::SplitListText(const QString& text) {
    QStringList result;
    qsizetype start = 0;
    const qsizetype size = text.size();
    qsizetype i = 0;
    while (i < size) {
        const QChar c = text.at(i);
        if (c == u'\r' || c == u'\n') {
            result.append(text.mid(start, i - start));
            if (c == u'\r' && i + 1 < size && text.at(i + 1) == u'\n') ++i;
            start = ++i;
        } else {
            ++i;
        }
    }
    if (start < size) result.append(text.mid(start));
    return result;
}
